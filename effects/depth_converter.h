// The context with which an encoder turns the current image (8 bits with
// palette or 24 bits, rows bottom-up) into the bit depth it writes.
//
// Use: fill width, height and dither, call PrepareDepthConverter (or
// PrepareOneBytePerPixel for the GIF and grey forms), allocate target_size + 4
// bytes of zeroed page memory and a zeroed 256-entry palette, then convert.
#pragma once

#include <cstdint>

#include "image/status.h"
#include "image/win_records.h"

struct DepthConverter {
  int32_t width = 0;   // negative values count as 0
  int32_t height = 0;
  int source_bits = 0;  // 1, 2, 4, 8, 24 or 48
  int target_bits = 0;  // 1, 2, 4, 8, 24, 32 or 48; 1 to 8 for the GIF form
  // Unpadded bytes of one target row, the row-to-row distance and the whole
  // block; each is 0 when it would not fit in 32 bits.
  uint32_t target_row_bytes = 0;
  uint32_t target_stride = 0;
  uint32_t target_size = 0;
  // Reductions to a palette diffuse their error and keep eight entries for
  // the image's colours nearest to black, white and the six primaries.
  bool dither = false;
};

// Stores both depths and computes the target rows: packed indices or pixels,
// padded to 4 bytes up to 24 bits, unpadded at 32 and 48 bits.
void PrepareDepthConverter(DepthConverter* converter, int source_bits, int target_bits);

// For the GIF form and grey output: one byte per pixel, rows of exactly
// width bytes.
void PrepareOneBytePerPixel(DepthConverter* converter, int source_bits, int target_bits);

// Converts the source rows (and palette, for 1 to 8 bits) into the target
// block prepared above. kEncodeFailed for a pair of depths it does not offer
// or a size beyond 32 bits, kNoMemory when work memory is refused; the target
// is then partly written.
//
//   1, 2, 4 -> 8    indices unpacked (2 bits: the target palette stays as given)
//   1, 4, 8 -> 24   palette colours
//   8, 24 -> 1      grey threshold at 128
//   8, 24 -> 2, 4   palette reduction (24 -> 8 too)
//   8 -> 8, 24 -> 24  copied
//   24 <-> 48       16-bit samples v x 256, and back by the high byte
Status ConvertDepth(const DepthConverter& converter, const RgbQuad* source_palette,
                    const uint8_t* source_pixels, RgbQuad* target_palette,
                    uint8_t* target_pixels);

// The GIF writer's form: sources 8 and 24, targets 1 to 8, one index per byte
// in rows of width bytes. Its dithered palette keeps 5 reference colours at 3
// bits and 8 from 4 bits on.
Status ConvertDepthForGif(const DepthConverter& converter, const RgbQuad* source_palette,
                          const uint8_t* source_pixels, RgbQuad* target_palette,
                          uint8_t* target_pixels);

// Luminance, one byte per pixel in rows of width bytes, for grey PNG and TIFF
// output. Sources 8 and 24, target 8 only.
Status ConvertToGrey(const DepthConverter& converter, const RgbQuad* source_palette,
                     const uint8_t* source_pixels, uint8_t* target_pixels);
