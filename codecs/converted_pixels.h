// The current image (8 bits with palette or 24 bits) in the depth an encoder
// writes, made by the depth converter into a block of its own, or the
// image's own rows when they already are what is wanted.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"
#include "image/page_memory.h"

struct ConvertedPixels {
  const uint8_t* rows = nullptr;  // bottom-up, as the image holds them
  size_t stride = 0;
  uint32_t row_bytes = 0;  // unpadded: packed indices, grey bytes or pixels
  RgbQuad palette[256] = {};
  PageBlock block;  // holds the rows when a conversion made them
};

// Rows of 1, 4 or 8 bit indices with a new palette, or 24-bit pixels.
// kEncodeFailed when the converter refuses the depths or the size,
// kNoMemory when memory is refused.
Status ConvertPixels(const ImageBuffer& image, int target_bits, bool dither, ConvertedPixels* out);

// One luminance byte per pixel; same statuses.
Status ConvertPixelsToGrey(const ImageBuffer& image, ConvertedPixels* out);
