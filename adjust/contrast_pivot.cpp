#include "adjust/contrast_pivot.h"

namespace {

// The weighted sums of one row, per channel byte.
struct WeightedSums {
  uint64_t channel[3] = {};

  void Add(uint8_t blue, uint8_t green, uint8_t red) {
    channel[0] += static_cast<uint32_t>(kContrastWeights[0][blue]);
    channel[1] += static_cast<uint32_t>(kContrastWeights[1][green]);
    channel[2] += static_cast<uint32_t>(kContrastWeights[2][red]);
  }
  uint64_t GreyLevels() const { return (channel[0] >> 10) + (channel[1] >> 10) + (channel[2] >> 10); }
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
