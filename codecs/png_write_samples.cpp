#include "codecs/png_write_samples.h"

#include <utility>

#include "codecs/converted_pixels.h"
#include "effects/index_rows.h"

namespace {

void Describe(const ImageBuffer& image, uint8_t colour_type, int depth, PngSamples* samples) {
  samples->colour_type = colour_type;
  samples->depth = static_cast<uint8_t>(depth);
  samples->width = static_cast<uint32_t>(image.header.width);
  samples->height = static_cast<uint32_t>(image.header.height);
}

// The converted rows become the samples' own.
Status TakeRows(Status status, ConvertedPixels* pixels, PngSamples* samples) {
  if (status != Status::kOk) return status;
  samples->rows = pixels->rows;
  samples->stride = pixels->stride;
  samples->converted = std::move(pixels->block);
  return Status::kOk;
}

void MarkUsedIndices(const PngSamples& s, bool used[256]) {
  for (uint32_t y = 0; y < s.height; ++y) {
    const uint8_t* row = s.rows + y * s.stride;
    if (s.depth == 8) {
      for (uint32_t x = 0; x < s.width; ++x) used[row[x]] = true;
    } else {
      for (uint32_t x = 0; x < s.width; ++x)
        used[IndexAt(row, static_cast<int32_t>(x), s.depth)] = true;
    }
  }
}

}  // namespace

Status PrepareColourSamples(const ImageBuffer& image, PngSamples* samples) {
  Describe(image, kPngColour, 8, samples);
  ConvertedPixels pixels;
  return TakeRows(ConvertPixels(image, 24, false, &pixels), &pixels, samples);
}

Status PrepareGreySamples(const ImageBuffer& image, PngSamples* samples) {
  Describe(image, kPngGrey, 8, samples);
  ConvertedPixels pixels;
  return TakeRows(ConvertPixelsToGrey(image, &pixels), &pixels, samples);
}

Status PreparePaletteSamples(const ImageBuffer& image, int bits, bool dither, PngSamples* samples) {
  Describe(image, kPngPalette, bits, samples);
  ConvertedPixels pixels;
  const Status status = TakeRows(ConvertPixels(image, bits, dither, &pixels), &pixels, samples);
  if (status != Status::kOk) return status;
  bool used[256] = {};
  MarkUsedIndices(*samples, used);
  samples->palette = MergePalette(pixels.palette, used, bits);
  return Status::kOk;
}

void GatherScanline(const PngSamples& s, uint32_t row, uint32_t column_start, uint32_t column_step,
                    uint32_t columns, uint8_t* out) {
  const uint8_t* source = s.rows + size_t{s.height - 1 - row} * s.stride;
  uint32_t x = column_start;
  if (s.colour_type == kPngColour) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step, out += 3) {
      const uint8_t* bgr = source + size_t{x} * 3;
      out[0] = bgr[2], out[1] = bgr[1], out[2] = bgr[0];
    }
  } else if (s.colour_type == kPngGrey) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step) out[k] = source[x];
  } else if (s.depth == 8) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step) out[k] = s.palette.index_of[source[x]];
  } else {
    unsigned byte = 0, filled = 0;
    for (uint32_t k = 0; k < columns; ++k, x += column_step) {
      byte =
          (byte << s.depth) | s.palette.index_of[IndexAt(source, static_cast<int32_t>(x), s.depth)];
      filled += s.depth;
      if (filled == 8) *out++ = static_cast<uint8_t>(byte), byte = 0, filled = 0;
    }
    if (filled) *out = static_cast<uint8_t>(byte << (8 - filled));
  }
}
