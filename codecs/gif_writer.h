// Writing the image as a single-image GIF 89a at 1 to 8 bits per pixel,
// optionally interlaced, optionally with one transparent colour.
#pragma once

#include <cstdint>

#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

struct GifWriteContext {
  int bits = 8;                // 1 to 8
  bool interlace = false;
  bool transparency = false;
  uint32_t transparent_colour = 0xFFFFFF;  // red in the low byte
  bool dither = false;         // the reduction option of the depth converter
};

// kCannotWrite for a width or height above 65535 (before anything is
// written), kEncodeFailed when the depth conversion fails, kNoMemory.
Status WriteGif(const ImageBuffer& image, const GifWriteContext& context, ByteSink* out);
