#include "adjust/blend_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// 64 KiB: kept off the test's stack.
const BlendTable& Table() {
  static const auto table = std::make_unique<BlendTable>();
  return *table;
}

long Rounded(int a, int x) { return std::lround(a * static_cast<double>(x) / 255); }

TEST(BlendTable, EdgesScaleToNothingAndToTheValueItself) {
  for (int x = 0; x < 256; ++x) {
    const auto v = static_cast<uint8_t>(x);
    EXPECT_EQ(Table().Scale(0, v), 0) << x;
    EXPECT_EQ(Table().Scale(v, 0), 0) << x;
    EXPECT_EQ(Table().Scale(255, v), x) << x;
    EXPECT_EQ(Table().Scale(v, 255), x) << x;
  }
}

TEST(BlendTable, IsSymmetric) {
  for (int a = 0; a < 256; ++a) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_EQ(Table().Scale(uint8_t(a), uint8_t(x)), Table().Scale(uint8_t(x), uint8_t(a)))
          << a << " " << x;
    }
  }
}

// The 16-bit factor floor(a x 65536 / 255) runs a little short, so a
// product whose exact fraction is 128/255 (just over a half) can end one
// below the rounded quotient; nothing else may differ.
TEST(BlendTable, IsTheRoundedQuotientWithinTheFactorsShortfall) {
  for (int a = 0; a < 256; ++a) {
    for (int x = 0; x < 256; ++x) {
      const long entry = Table().Scale(uint8_t(a), uint8_t(x));
      const long rounded = Rounded(a, x);
      if (entry == rounded) continue;
      EXPECT_EQ(entry, rounded - 1) << a << " " << x;
      EXPECT_EQ(a * x % 255, 128) << a << " " << x;
    }
  }
  EXPECT_EQ(Table().Scale(100, 200), Rounded(100, 200));
  EXPECT_EQ(Table().Scale(128, 128), Rounded(128, 128));
  EXPECT_EQ(Table().Scale(1, 254), Rounded(1, 254));
  EXPECT_EQ(Table().Scale(254, 254), Rounded(254, 254));
  EXPECT_EQ(Table().Scale(77, 3), Rounded(77, 3));
  // 152 x 229 / 255 = 136.502: the factor 39063 gives (229 x 39063 + 32768) >> 16 = 136.
  EXPECT_EQ(Table().Scale(152, 229), 136);
  EXPECT_EQ(Table().Scale(229, 152), 136);
}

TEST(BlendTable, BlendTakesEachSideByItsWeight) {
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(Table().Blend(255, uint8_t(v), 17), v) << v;
    EXPECT_EQ(Table().Blend(0, 17, uint8_t(v)), v) << v;
  }
  // Two whole values at complementary weights make a whole value again.
  for (int w = 0; w < 256; ++w) EXPECT_EQ(Table().Blend(uint8_t(w), 255, 255), 255) << w;
  EXPECT_EQ(Table().Blend(128, 255, 0), 128);
  EXPECT_EQ(Table().Blend(64, 200, 100), Table().Scale(64, 200) + Table().Scale(191, 100));
  EXPECT_EQ(Table().Row(100)[200], Table().Scale(100, 200));
}

}  // namespace
