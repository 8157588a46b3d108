// Prints the current image on one page of a printer context, as the print
// dialog laid it out.
#pragma once

#include <windows.h>

#include <string>

#include "image/image_buffer.h"
#include "view/print_layout.h"

enum class PrintJobResult { kPrinted, kNoCopy, kFailed };

// `document` names the job in the printer's queue. The page must have been
// laid out for this printer's metrics.
PrintJobResult PrintImage(HDC printer, const PrintPage& page, const ImageBuffer& image,
                          const std::wstring& document);
