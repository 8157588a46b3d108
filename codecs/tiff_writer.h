// Writing the current image as an uncompressed little-endian TIFF with one
// strip: 24-bit RGB, 8-bit palette or grey, 4-bit palette or 1-bit
// black and white.
#pragma once

#include <cstdint>

#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

struct TiffWriteContext {
  int bits = 24;      // 24, 8, 4 or 1
  bool grey = false;  // at 8 bits: grey levels instead of a palette
  bool dither = false;  // the reduction option of the depth converter
  int32_t x_resolution = 0;  // pixels per metre; 0 when the image has none
  int32_t y_resolution = 0;
};

// kCannotWrite for another depth or a strip over 4 GiB (before anything is
// written) and when the sink fails, kEncodeFailed when the depth conversion
// fails, kNoMemory.
Status WriteTiff(const ImageBuffer& image, const TiffWriteContext& context, ByteSink* out);
