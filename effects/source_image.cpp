#include "effects/source_image.h"

#include "effects/luminance.h"

namespace {

uint64_t SourceStride(uint64_t width, int bits) {
  const uint64_t row = (width * static_cast<uint64_t>(bits) + 7) / 8;
  return bits == 48 ? row : (row + 3) & ~uint64_t{3};
}

bool FitsIn32Bits(uint64_t value) { return value <= UINT32_MAX; }

}  // namespace

bool MakeSourceImage(const DepthConverter& converter, const RgbQuad* palette,
                     const uint8_t* pixels, SourceImage* image) {
  if (converter.width <= 0 || converter.height <= 0) return false;
  const uint64_t stride = SourceStride(static_cast<uint64_t>(converter.width), converter.source_bits);
  if (!FitsIn32Bits(stride * static_cast<uint64_t>(converter.height))) return false;
  *image = {palette, pixels, converter.width, converter.height, converter.source_bits,
            static_cast<size_t>(stride)};
  return true;
}

PageBlock MakeWorkingCopy(const SourceImage& image) {
  const uint64_t bytes = uint64_t{4} * image.PixelCount();
  if (!FitsIn32Bits(bytes)) return {};
  PageBlock copy(static_cast<size_t>(bytes));
  if (!copy) return copy;
  uint8_t* out = copy.data();
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x, out += 4) {
      if (image.bits == 8) {
        const RgbQuad& c = image.palette[row[x]];
        out[0] = c.blue, out[1] = c.green, out[2] = c.red;
      } else {
        out[0] = row[3 * x], out[1] = row[3 * x + 1], out[2] = row[3 * x + 2];
      }
    }
  }
  return copy;
}

void WriteGreyRows(const SourceImage& image, uint8_t* plane, size_t plane_stride) {
  // A palette image converts each entry once.
  uint8_t entry_grey[256];
  if (image.bits == 8) {
    for (int i = 0; i < 256; ++i) {
      entry_grey[i] = Luminance(image.palette[i].blue, image.palette[i].green, image.palette[i].red);
    }
  }
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    uint8_t* out = plane + static_cast<size_t>(y) * plane_stride;
    if (image.bits == 8) {
      for (int32_t x = 0; x < image.width; ++x) out[x] = entry_grey[row[x]];
    } else {
      for (int32_t x = 0; x < image.width; ++x) {
        out[x] = Luminance(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
      }
    }
  }
}
