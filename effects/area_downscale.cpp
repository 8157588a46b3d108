#include "effects/area_downscale.h"

#include <algorithm>
#include <vector>

namespace {

// One source pixel's share of a target pixel, in units of 1 / target size
// of a source pixel.
struct Share {
  int32_t source;
  uint32_t weight;
};

// For each target position, the source positions it covers. Source pixel s
// spans [s * target, (s + 1) * target) and target pixel t spans
// [t * source, (t + 1) * source), so every target pixel's weights add up to
// the source size.
std::vector<std::vector<Share>> Shares(int32_t source, int32_t target) {
  std::vector<std::vector<Share>> shares(static_cast<size_t>(target));
  const uint64_t s_size = static_cast<uint64_t>(source), t_size = static_cast<uint64_t>(target);
  for (uint64_t t = 0; t < t_size; ++t) {
    const uint64_t begin = t * s_size, end = begin + s_size;
    for (uint64_t s = begin / t_size; s < s_size && s * t_size < end; ++s) {
      const uint64_t overlap = std::min(end, (s + 1) * t_size) - std::max(begin, s * t_size);
      if (overlap > 0) shares[t].push_back({static_cast<int32_t>(s), static_cast<uint32_t>(overlap)});
    }
  }
  return shares;
}

// Blue, green, red of the pixel at x of a bottom-up row.
void AddPixel(const ImageBuffer& image, const uint8_t* row, int32_t x, double weight, double* sum) {
  if (image.header.bit_count == 8) {
    const RgbQuad& c = image.palette[row[x]];
    sum[0] += weight * c.blue;
    sum[1] += weight * c.green;
    sum[2] += weight * c.red;
    return;
  }
  const uint8_t* p = row + 3 * static_cast<size_t>(x);
  for (int i = 0; i < 3; ++i) sum[i] += weight * p[i];
}

}  // namespace

Status ScaleByAreaAverage(const ImageBuffer& source, int32_t width, int32_t height,
                          ImageBuffer* target) {
  const int32_t sw = source.header.width, sh = source.header.height;
  if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0) return Status::kUnsupported;
  if (Status s = AllocatePixels(target, width, height, 24); s != Status::kOk) return s;
  const auto columns = Shares(sw, width);
  const auto rows = Shares(sh, height);
  const double area = static_cast<double>(sw) * static_cast<double>(sh);
  std::vector<double> sums(3 * static_cast<size_t>(width));
  for (int32_t y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0.0);
    for (const Share& r : rows[static_cast<size_t>(y)]) {
      const uint8_t* row = RowFromBottom(source, r.source);
      for (int32_t x = 0; x < width; ++x) {
        for (const Share& c : columns[static_cast<size_t>(x)])
          AddPixel(source, row, c.source, static_cast<double>(r.weight) * c.weight, &sums[3 * size_t(x)]);
      }
    }
    uint8_t* out = RowFromBottom(*target, y);
    for (size_t i = 0; i < sums.size(); ++i)
      out[i] = static_cast<uint8_t>(std::clamp(sums[i] / area + 0.5, 0.0, 255.0));
  }
  return Status::kOk;
}
