// The image data before compression: every scanline behind its filter type
// byte, top row first, pass after pass when interlaced.
#pragma once

#include <cstddef>

#include "codecs/png_write_samples.h"
#include "image/page_memory.h"

// filter_mode 1 to 5 filters every row with None, Sub, Up, Average or Paeth;
// any other value chooses for each row by ChooseFilter. kNoMemory, or
// kDeflateFailed for a stream too long for one compression call.
Status FilterScanlines(const PngSamples& samples, bool interlace, int filter_mode,
                       PageBlock* stream, size_t* size);
