#include "adjust/contrast_pivot.h"

namespace {

struct WeightedSums {
  uint64_t blue = 0;
  uint64_t green = 0;
  uint64_t red = 0;

  void Add(uint8_t b, uint8_t g, uint8_t r) {
    blue += static_cast<uint32_t>(kContrastWeights.blue[b]);
    green += static_cast<uint32_t>(kContrastWeights.green[g]);
    red += static_cast<uint32_t>(kContrastWeights.red[r]);
  }
  uint64_t GreyLevels() const { return (blue >> 10) + (green >> 10) + (red >> 10); }
};

WeightedSums RowSums(const ImageBuffer& image, const uint8_t* row) {
  WeightedSums sums;
  const int32_t width = image.header.width;
  if (image.header.bit_count == 8) {
    for (int32_t x = 0; x < width; ++x) {
      const RgbQuad& colour = image.palette[row[x]];
      sums.Add(colour.blue, colour.green, colour.red);
    }
  } else {
    for (int32_t x = 0; x < width; ++x, row += 3) sums.Add(row[0], row[1], row[2]);
  }
  return sums;
}

}  // namespace

int32_t ContrastPivot(const ImageBuffer& image) {
  const int32_t width = image.header.width, height = image.header.height;
  if (width <= 0 || height <= 0 || !image.pixels) return 0;
  uint64_t total = 0;
  for (int32_t y = 0; y < height; ++y) total += RowSums(image, RowFromBottom(image, y)).GreyLevels();
  return static_cast<int32_t>(total / (static_cast<uint64_t>(width) * static_cast<uint64_t>(height)));
}
