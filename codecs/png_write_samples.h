// The current image in the samples of the PNG it becomes (colour pixels,
// grey levels or palette indices at the written depth) and the scanlines
// taken from them, whole rows or the columns of one interlace pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/png_header.h"
#include "codecs/png_write_palette.h"
#include "image/image_buffer.h"
#include "image/page_memory.h"

struct PngSamples {
  uint8_t colour_type = kPngColour;  // kPngColour, kPngGrey or kPngPalette
  uint8_t depth = 8;                 // bits per sample
  uint32_t width = 0, height = 0;
  // Bottom-up rows: blue, green, red pixels; grey bytes; or packed
  // converter indices, which palette.index_of turns into written ones.
  const uint8_t* rows = nullptr;
  size_t stride = 0;
  PngPalette palette;
  PageBlock converted;  // holds the rows when a conversion made them

  int bits_per_pixel() const { return colour_type == kPngColour ? 3 * depth : depth; }
};

// Each takes an image of 8 bits with palette or 24 bits. kEncodeFailed when
// the depth converter refuses, kNoMemory when memory is refused.
Status PrepareColourSamples(const ImageBuffer& image, PngSamples* samples);
Status PrepareGreySamples(const ImageBuffer& image, PngSamples* samples);
// bits: 1, 2, 4 or 8; dither: the reduction option of the conversion.
Status PreparePaletteSamples(const ImageBuffer& image, int bits, bool dither, PngSamples* samples);

// The scanline bytes (without the filter type byte) of picture row `row`,
// counted from the top, holding `columns` pixels from `column_start` on,
// `column_step` apart: red, green, blue; grey; or indices packed most
// significant bits first.
void GatherScanline(const PngSamples& samples, uint32_t row, uint32_t column_start,
                    uint32_t column_step, uint32_t columns, uint8_t* out);
