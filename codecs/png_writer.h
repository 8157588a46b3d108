// Writing the current image as PNG: colour at 24 bits, a palette at 8, 4, 2
// or 1 bits, or 8-bit grey levels; with the chosen filters, compression and
// interlacing, and gamma, transparency, resolution and a comment.
#pragma once

#include <cstdint>
#include <string>

#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

// Wider images are refused before a byte is written.
constexpr int32_t kPngWidestWrite = 89478485;

struct PngWriteContext {
  int target_bits = 24;       // 24, 8, 4, 2 or 1
  bool grey = false;          // grey levels instead of a palette; 8 bits only
  bool dither = false;        // the reduction option of the palette conversion
  bool interlace = false;     // the seven Adam7 passes
  int compression_level = 9;  // zlib's 0 to 9; beyond counts as the nearer end
  int filter_mode = 0;        // 0 chooses per row; 1 to 5 None, Sub, Up, Average, Paeth
  bool transparency = false;
  uint32_t transparent_colour = 0;  // red in the low byte, then green, then blue
  int32_t gamma = 0;                // gamma x 1000; 0 writes none
  int32_t x_resolution = 0;         // pixels per metre; pHYs only when both are set
  int32_t y_resolution = 0;
  std::string comment;  // ANSI code page bytes; empty writes none
};

// image: 8 bits with palette or 24 bits. Palette images are never filtered.
// Status: kCannotWrite for a width above kPngWidestWrite (nothing written)
// or when the output refuses a byte; kEncodeFailed for a depth, or grey at a
// depth, that cannot be written or a failed conversion; kNoMemory;
// kDeflateFailed. After a failure the output may hold a partial file.
Status WritePng(const ImageBuffer& image, const PngWriteContext& context, ByteSink* out);
