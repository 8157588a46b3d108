#include "image/colour_count.h"

#include <bit>
#include <cstring>

#include "image/image_buffer.h"
#include "image/page_memory.h"

int CountPaletteIndices(int32_t width, int32_t height, const uint8_t* pixels) {
  bool seen[256] = {};
  int count = 0;
  const size_t stride = RowStride(width, 8);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = pixels + y * stride;
    for (int32_t x = 0; x < width; ++x) {
      if (!seen[row[x]]) {
        seen[row[x]] = true;
        if (++count == 256) return count;
      }
    }
  }
  return count;
}

uint32_t CountColours(int32_t width, int32_t height, const uint8_t* pixels, int bytes_per_pixel) {
  constexpr size_t kWords = (size_t{1} << 24) / 64;
  PageBlock bits(kWords * sizeof(uint64_t));
  if (!bits) return 0;
  uint64_t* set = reinterpret_cast<uint64_t*>(bits.data());

  const size_t step = bytes_per_pixel == 4 ? 4 : 3;
  const size_t stride = step == 4 ? size_t(width) * 4 : RowStride(width, 24);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* p = pixels + y * stride;
    for (int32_t x = 0; x < width; ++x, p += step) {
      uint32_t key = p[0] | (p[1] << 8) | (uint32_t{p[2]} << 16);
      set[key >> 6] |= uint64_t{1} << (key & 63);
    }
  }
  // One pass over the set afterwards keeps the pixel loop free of branches.
  uint32_t count = 0;
  for (size_t i = 0; i < kWords; ++i) count += static_cast<uint32_t>(std::popcount(set[i]));
  return count;
}
