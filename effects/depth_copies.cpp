#include "effects/depth_copies.h"

#include <cstring>

#include "effects/index_rows.h"

namespace {

uint8_t* TargetRow(uint8_t* target, size_t stride, int32_t y) {
  return target + static_cast<size_t>(y) * stride;
}

}  // namespace

void UnpackIndices(const SourceImage& image, size_t target_stride, RgbQuad* palette,
                   uint8_t* target) {
  if (image.bits != 2) {
    std::memcpy(palette, image.palette, sizeof(RgbQuad) * (size_t{1} << image.bits));
  }
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    uint8_t* out = TargetRow(target, target_stride, y);
    for (int32_t x = 0; x < image.width; ++x) out[x] = IndexAt(row, x, image.bits);
  }
}

void LookUpPaletteColours(const SourceImage& image, size_t target_stride, uint8_t* target) {
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    uint8_t* out = TargetRow(target, target_stride, y);
    for (int32_t x = 0; x < image.width; ++x, out += 3) {
      const RgbQuad& c = image.palette[IndexAt(row, x, image.bits)];
      out[0] = c.blue, out[1] = c.green, out[2] = c.red;
    }
  }
}

void CopyUnchanged(const SourceImage& image, RgbQuad* palette, uint8_t* target) {
  if (image.bits == 8) std::memcpy(palette, image.palette, sizeof(RgbQuad) * 256);
  std::memcpy(target, image.pixels, image.stride * static_cast<size_t>(image.height));
}

void WidenSamples(const SourceImage& image, size_t target_stride, uint8_t* target) {
  const size_t samples = 3 * static_cast<size_t>(image.width);
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    uint8_t* out = TargetRow(target, target_stride, y);
    for (size_t i = 0; i < samples; ++i) out[2 * i] = 0, out[2 * i + 1] = row[i];
  }
}

void NarrowSamples(const SourceImage& image, size_t target_stride, uint8_t* target) {
  const size_t samples = 3 * static_cast<size_t>(image.width);
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    uint8_t* out = TargetRow(target, target_stride, y);
    for (size_t i = 0; i < samples; ++i) out[i] = row[2 * i + 1];
  }
}
