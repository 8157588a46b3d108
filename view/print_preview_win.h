// The print dialog's picture of the page (class "Ovira_prtp_class"): the
// paper, its printable area and the image on it, with handles to move and
// size the placed image or drag the fill crop.
#pragma once

#include <windows.h>

#include "image/image_buffer.h"
#include "view/print_layout.h"

// What the preview shows: the page laid out by the dialog and the picture
// drawn for the image, which may be a smaller copy of it.
struct PrintPreviewSource {
  PrintPage* page = nullptr;
  const ImageBuffer* picture = nullptr;
};

// Sent to the preview's parent after a drag changed the page's layout.
constexpr UINT kPrintPreviewDragged = WM_APP + 0x31;

bool RegisterPrintPreviewClass(HINSTANCE instance);
void UnregisterPrintPreviewClass(HINSTANCE instance);

// Points the preview at what it shows; it repaints at once.
void SetPrintPreviewSource(HWND preview, PrintPreviewSource* source);
