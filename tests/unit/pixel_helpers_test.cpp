#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/colour_count.h"
#include "image/image_buffer.h"
#include "image/palette_expand.h"

namespace {

// 8-bit rows whose padding holds garbage, which no helper may look at.
std::vector<uint8_t> IndexRows(int width, int height, uint8_t (*index)(int x, int y)) {
  size_t stride = RowStride(width, 8);
  std::vector<uint8_t> rows(stride * height, 0xEE);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) rows[y * stride + x] = index(x, y);
  }
  return rows;
}

TEST(PaletteExpand, EveryWidthGivesExactColoursAndZeroPadding) {
  RgbQuad palette[256];
  for (int i = 0; i < 256; ++i) {
    palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0x55};
  }
  for (int width = 1; width <= 9; ++width) {
    const int height = 3;
    auto rows = IndexRows(width, height, [](int x, int y) { return uint8_t(x * 31 + y * 5); });
    PageBlock out = ExpandTo24Bits(palette, rows.data(), width, height);
    ASSERT_TRUE(out);
    size_t stride = RowStride(width, 24);
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = out.data() + y * stride;
      for (int x = 0; x < width; ++x) {
        const RgbQuad& c = palette[uint8_t(x * 31 + y * 5)];
        ASSERT_EQ(row[3 * x], c.blue) << width << "," << x << "," << y;
        ASSERT_EQ(row[3 * x + 1], c.green);
        ASSERT_EQ(row[3 * x + 2], c.red);
      }
      for (size_t pad = 3 * width; pad < stride; ++pad) ASSERT_EQ(row[pad], 0) << width;
    }
  }
}

TEST(PaletteExpand, RefusesSizesBeyondThirtyTwoBits) {
  RgbQuad palette[256] = {};
  uint8_t pixel = 0;
  EXPECT_FALSE(ExpandTo24Bits(palette, &pixel, 40000, 40000));
  EXPECT_FALSE(ExpandTo24Bits(palette, &pixel, 0, 1));
}

TEST(CountPaletteIndices, CountsDistinctIndicesInsideRowsOnly) {
  auto rows = IndexRows(5, 4, [](int x, int) { return uint8_t(x % 3); });
  EXPECT_EQ(CountPaletteIndices(5, 4, rows.data()), 3);  // padding 0xEE not counted
  auto one = IndexRows(1, 1, [](int, int) { return uint8_t(200); });
  EXPECT_EQ(CountPaletteIndices(1, 1, one.data()), 1);
}

TEST(CountPaletteIndices, StopsAtTheRowThatCompletesAllIndices) {
  // The complete row sits at the very end of a readable page followed by a
  // page that faults on access: reading past the 256th index would crash.
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  uint8_t* base = static_cast<uint8_t*>(
      mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(base, MAP_FAILED);
  ASSERT_EQ(mprotect(base + page, page, PROT_NONE), 0);
  uint8_t* row = base + page - 256;
  for (int i = 0; i < 256; ++i) row[i] = uint8_t(255 - i);
  EXPECT_EQ(CountPaletteIndices(256, 1000, row), 256);
  munmap(base, 2 * page);
}

TEST(CountColours, ThreeAndFourBytePixels) {
  const int width = 5, height = 3;
  // 3-byte rows padded to 16 bytes; padding filled with colours that must
  // not be counted.
  std::vector<uint8_t> rgb(RowStride(width, 24) * height, 0x99);
  std::vector<uint8_t> rgbx(size_t(width) * 4 * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t b = uint8_t(x), g = uint8_t(y), r = uint8_t(x == 4 ? 0 : 1);
      uint8_t* p3 = &rgb[y * RowStride(width, 24) + 3 * x];
      p3[0] = b, p3[1] = g, p3[2] = r;
      uint8_t* p4 = &rgbx[(y * width + x) * 4];
      p4[0] = b, p4[1] = g, p4[2] = r, p4[3] = uint8_t(x * y);  // fourth byte ignored
    }
  }
  EXPECT_EQ(CountColours(width, height, rgb.data(), 3), 15u);
  EXPECT_EQ(CountColours(width, height, rgbx.data(), 4), 15u);

  std::vector<uint8_t> same(RowStride(width, 24) * height, 0);
  EXPECT_EQ(CountColours(width, height, same.data(), 3), 1u);
}

TEST(CountColours, EveryColourOfTheCube) {
  const int width = 4096, height = 4096;
  std::vector<uint8_t> all(size_t(width) * height * 4);
  for (uint32_t i = 0; i < uint32_t(width) * height; ++i) std::memcpy(&all[i * 4], &i, 4);
  EXPECT_EQ(CountColours(width, height, all.data(), 4), 1u << 24);
}

}  // namespace
