// The thumbnail's scaling: each pixel the exact, rounded average of the
// source area it covers, partial pixels weighted by their share; palette
// images by their colours; sizes larger than the source repeat pixels.
#include "effects/area_downscale.h"

#include <gtest/gtest.h>

#include "image/image_buffer.h"
#include "tests/unit/image_test_support.h"

namespace {

uint32_t Scaled(const OwnedImage& image, int x, int y) { return PixelRgb(image.record, x, y); }

TEST(AreaAverage, WholeAndPartialPixelsByTheirShare) {
  TestImage source(3, 2, 24);
  // Red 0, 30, 90 along each row; green tells the rows apart.
  for (int y = 0; y < 2; ++y) {
    source.Set(0, y, 0x000000 | uint32_t(y * 100) << 8);
    source.Set(1, y, 0x1E0000 | uint32_t(y * 100) << 8);
    source.Set(2, y, 0x5A0000 | uint32_t(y * 100) << 8);
  }
  OwnedImage half;
  ASSERT_EQ(ScaleByAreaAverage(source.record, 2, 1, &half.record), Status::kOk);
  EXPECT_EQ(half.record.header.bit_count, 24);
  // Left: (2 x 0 + 1 x 30) / 3 = 10; right: (1 x 30 + 2 x 90) / 3 = 70; green (0 + 100) / 2.
  EXPECT_EQ(Scaled(half, 0, 0), 0x0A3200u);
  EXPECT_EQ(Scaled(half, 1, 0), 0x463200u);
  OwnedImage one;
  ASSERT_EQ(ScaleByAreaAverage(source.record, 1, 1, &one.record), Status::kOk);
  EXPECT_EQ(Scaled(one, 0, 0), 0x283200u) << "(0 + 30 + 90) / 3 = 40";
}

TEST(AreaAverage, PaletteColoursAndEnlargement) {
  TestImage source(2, 1, 8);
  source.SetEntry(3, 0xFF0000);
  source.SetEntry(7, 0x0000FF);
  source.SetIndex(0, 0, 3);
  source.SetIndex(1, 0, 7);
  OwnedImage big;
  ASSERT_EQ(ScaleByAreaAverage(source.record, 4, 3, &big.record), Status::kOk);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(Scaled(big, 0, y), 0xFF0000u);
    EXPECT_EQ(Scaled(big, 1, y), 0xFF0000u);
    EXPECT_EQ(Scaled(big, 2, y), 0x0000FFu);
    EXPECT_EQ(Scaled(big, 3, y), 0x0000FFu);
  }
  OwnedImage mixed;
  ASSERT_EQ(ScaleByAreaAverage(source.record, 1, 1, &mixed.record), Status::kOk);
  EXPECT_EQ(Scaled(mixed, 0, 0), 0x800080u) << "255 / 2 rounds up";
  OwnedImage none;
  EXPECT_EQ(ScaleByAreaAverage(source.record, 0, 5, &none.record), Status::kUnsupported);
  EXPECT_EQ(none.record.pixels, nullptr);
}

}  // namespace
