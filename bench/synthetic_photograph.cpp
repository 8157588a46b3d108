#include "bench/synthetic_photograph.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "image/image_buffer.h"

std::vector<uint8_t> SyntheticPhotograph(int width, int height) {
  const size_t stride = RowStride(width, 24);
  std::vector<uint8_t> out(stride * static_cast<size_t>(height));
  uint32_t seed = 12345;
  auto noise = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>(seed >> 28) - 8;
  };
  for (int y = 0; y < height; ++y) {
    const double v = double(y) / height;  // 0 at the bottom row
    for (int x = 0; x < width; ++x) {
      const double u = double(x) / width;
      const double hill = 0.45 + 0.12 * std::sin(u * 9.0) + 0.05 * std::sin(u * 31.0 + 1.0);
      double b, g, r;
      if (v > hill) {  // sky
        b = 230 - 60 * (1 - v), g = 170 + 40 * v, r = 110 + 60 * (1 - v);
      } else if (v < 0.15 + 0.03 * std::sin(u * 5.0)) {  // lake
        b = 120 + 40 * std::sin(u * 60.0 + v * 40.0), g = 90, r = 40;
      } else {  // foliage
        const double leaf = std::sin(x * 0.37) * std::cos(y * 0.29) + std::sin((x + y) * 0.05);
        b = 40 + 15 * leaf, g = 110 + 40 * leaf + 60 * v, r = 50 + 25 * leaf;
      }
      uint8_t* p = &out[size_t(y) * stride + 3 * size_t(x)];
      const double c[3] = {b, g, r};
      for (int k = 0; k < 3; ++k) p[k] = uint8_t(std::clamp(int(c[k]) + noise(), 0, 255));
    }
  }
  return out;
}

ImageBuffer BorrowedImage(std::vector<uint8_t>& rows, int width, int height) {
  ImageBuffer image{};
  image.header.size = 40;
  image.header.width = width;
  image.header.height = height;
  image.header.planes = 1;
  image.header.bit_count = 24;
  image.pixels = rows.data();
  return image;
}
