#include "effects/depth_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "effects/error_diffusion.h"
#include "effects/luminance.h"
#include "tests/unit/depth_test_support.h"

namespace {

Bgr Grey(uint8_t v) { return {v, v, v}; }

DepthConverter Prepared(int32_t width, int32_t height, int source_bits, int target_bits) {
  DepthConverter c;
  c.width = width, c.height = height;
  PrepareDepthConverter(&c, source_bits, target_bits);
  return c;
}

TEST(DepthConverterPrepare, RowBytesStrideAndSizeForEveryDepth) {
  struct Case { int bits; uint32_t row_bytes, stride; };
  for (Case k : {Case{1, 2, 4}, {2, 3, 4}, {4, 5, 8}, {8, 9, 12}, {24, 27, 28}, {32, 36, 36},
                 {48, 54, 54}}) {
    DepthConverter c = Prepared(9, 5, 24, k.bits);
    EXPECT_EQ(c.target_row_bytes, k.row_bytes) << k.bits;
    EXPECT_EQ(c.target_stride, k.stride) << k.bits;
    EXPECT_EQ(c.target_size, k.stride * 5) << k.bits;
  }
  DepthConverter negative = Prepared(-4, -2, 24, 8);
  EXPECT_EQ(negative.target_row_bytes, 0u);
  EXPECT_EQ(negative.target_size, 0u);
  EXPECT_EQ(Prepared(9, 5, 24, 16).target_size, 0u);
}

TEST(DepthConverterPrepare, ThirtyTwoBitLimits) {
  EXPECT_EQ(Prepared(1431655765, 1, 24, 24).target_row_bytes, 4294967295u);
  // Padding that row to 4 bytes would need a 33rd bit.
  EXPECT_EQ(Prepared(1431655765, 1, 24, 24).target_stride, 0u);
  EXPECT_EQ(Prepared(1431655766, 1, 24, 24).target_row_bytes, 0u);
  EXPECT_EQ(Prepared(715827882, 1, 24, 48).target_row_bytes, 4294967292u);
  EXPECT_EQ(Prepared(715827883, 1, 24, 48).target_row_bytes, 0u);
  EXPECT_EQ(Prepared(65536, 65535, 24, 8).target_size, 65536u * 65535u);
  EXPECT_EQ(Prepared(65536, 65536, 24, 8).target_size, 0u);
}

TEST(DepthConverter, UnsupportedPairsAndUnpreparedContextsFail) {
  Picture p = TrueColourPicture(3, 2, [](int x, int) { return Grey(uint8_t(x)); });
  for (int target : {16, 32}) EXPECT_EQ(ConvertPicture(p, target, false).status, Status::kEncodeFailed);
  Picture two = IndexPicture(3, 2, 2, [](int x, int) { return uint8_t(x); });
  EXPECT_EQ(ConvertPicture(two, 24, false).status, Status::kEncodeFailed);
  Picture eight = IndexPicture(3, 2, 8, [](int x, int) { return uint8_t(x); });
  EXPECT_EQ(ConvertPicture(eight, 48, false).status, Status::kEncodeFailed);

  DepthConverter c = Prepared(3, 2, 24, 8);
  c.width = 300;  // the target block was sized for 3 pixels a row
  RgbQuad palette[256];
  uint8_t target[16];
  EXPECT_EQ(ConvertDepth(c, nullptr, p.rows.data(), palette, target), Status::kEncodeFailed);
}

TEST(DepthConverter, LosslessPairs) {
  Picture one = IndexPicture(11, 2, 1, [](int x, int y) { return uint8_t((x + y) % 2); });
  one.palette[0] = {1, 2, 3, 0}, one.palette[1] = {4, 5, 6, 0};
  Picture four = IndexPicture(5, 2, 4, [](int x, int y) { return uint8_t(x * 3 + y); });
  for (int i = 0; i < 16; ++i) four.palette[i] = {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i), 0};
  Picture two = IndexPicture(7, 2, 2, [](int x, int) { return uint8_t(x % 4); });
  for (const Picture* p : {&one, &four, &two}) {
    Converted unpacked = ConvertPicture(*p, 8, false);
    ASSERT_EQ(unpacked.status, Status::kOk);
    for (int y = 0; y < p->height; ++y) {
      for (int x = 0; x < p->width; ++x) {
        const uint8_t index = IndexAt(&p->rows[y * p->stride], x, p->bits);
        EXPECT_EQ(unpacked.Index(x, y), index);
        if (p->bits != 2) {
          EXPECT_EQ(unpacked.Colour(x, y), (Bgr{p->palette[index].blue, p->palette[index].green,
                                                p->palette[index].red}));
        }
      }
    }
    if (p == &two) {
      EXPECT_EQ(unpacked.palette[1].red, 0);  // the 2-bit palette stays as given
      continue;
    }
    Converted colours = ConvertPicture(*p, 24, false);
    ASSERT_EQ(colours.status, Status::kOk);
    const uint8_t* px = colours.pixels.data() + colours.converter.target_stride + 3;  // (1, 1)
    const RgbQuad& c = p->palette[IndexAt(&p->rows[p->stride], 1, p->bits)];
    EXPECT_EQ((Bgr{px[0], px[1], px[2]}), (Bgr{c.blue, c.green, c.red}));
  }

  Picture colour = TrueColourPicture(5, 3, [](int x, int y) { return Bgr{uint8_t(x), uint8_t(y), 200}; });
  Converted same = ConvertPicture(colour, 24, false);
  ASSERT_EQ(same.status, Status::kOk);
  EXPECT_EQ(std::memcmp(same.pixels.data(), colour.rows.data(), colour.rows.size()), 0);

  Converted wide = ConvertPicture(colour, 48, false);
  ASSERT_EQ(wide.status, Status::kOk);
  EXPECT_EQ(wide.converter.target_stride, 30u);  // unpadded
  const uint8_t* sample = wide.pixels.data() + 30 + 6 * 2;  // (2, 1): blue 2, green 1, red 200
  EXPECT_EQ((std::vector<uint8_t>(sample, sample + 6)), (std::vector<uint8_t>{0, 2, 0, 1, 0, 200}));
  Picture deep;
  deep.width = 5, deep.height = 3, deep.bits = 48, deep.stride = 30;
  deep.rows.assign(wide.pixels.data(), wide.pixels.data() + 90);
  Converted back = ConvertPicture(deep, 24, false);
  ASSERT_EQ(back.status, Status::kOk);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(std::memcmp(back.pixels.data() + y * 16, &colour.rows[y * 16], 15), 0);
  }
}

TEST(DepthConverter, PaletteToPaletteAtEightBitsCopiesBoth) {
  Picture p = IndexPicture(3, 2, 8, [](int x, int y) { return uint8_t(200 + x + y); });
  for (int i = 0; i < 256; ++i) p.palette[i] = {uint8_t(i), 7, uint8_t(255 - i), 9};
  Converted c = ConvertPicture(p, 8, false);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(std::memcmp(c.palette, p.palette, sizeof(p.palette)), 0);
  EXPECT_EQ(std::memcmp(c.pixels.data(), p.rows.data(), p.rows.size()), 0);
}

TEST(DepthConverterThreshold, GreyOf128IsWhiteAnd127Black) {
  EXPECT_EQ(Luminance(128, 128, 128), 128);
  EXPECT_EQ(Luminance(127, 127, 127), 127);
  EXPECT_EQ(Luminance(255, 255, 255), 255);
  Picture p = TrueColourPicture(2, 1, [](int x, int) { return Grey(x ? 127 : 128); });
  Converted c = ConvertPicture(p, 1, false);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(c.Index(0, 0), 1);
  EXPECT_EQ(c.Index(1, 0), 0);
  EXPECT_EQ(c.palette[0].red, 0);
  EXPECT_EQ(c.palette[1].green, 255);
  EXPECT_EQ(c.converter.target_stride, 4u);
}

TEST(DepthConverterThreshold, UniformMidGrey) {
  Picture p = TrueColourPicture(9, 3, [](int, int) { return Grey(128); });
  Converted plain = ConvertPicture(p, 1, false);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 9; ++x) EXPECT_EQ(plain.Index(x, y), 1);
  }
  // Dithered: the first pixel is white and hands 7/16 of -127 (-56) to its
  // right neighbour, which at 72 turns black.
  Converted dithered = ConvertPicture(p, 1, true);
  EXPECT_EQ(dithered.Index(0, 0), 1);
  EXPECT_EQ(dithered.Index(1, 0), 0);
}

TEST(DepthConverterThreshold, OnePixelWideImagesDiffuseStraightOn) {
  // 128 -> white, error -127, 5/16 -> -40: 88 -> black, +28: 156 -> white.
  Picture p = TrueColourPicture(1, 3, [](int, int) { return Grey(128); });
  Converted c = ConvertPicture(p, 1, true);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(c.Index(0, 0), 1);
  EXPECT_EQ(c.Index(0, 1), 0);
  EXPECT_EQ(c.Index(0, 2), 1);
}

// Greys whose result changes when any one share is dropped or the
// below-left and below-right weights trade places.
TEST(DepthConverterThreshold, EveryShareReachesItsNeighbour) {
  const uint8_t greys[2][3] = {{202, 168, 169}, {95, 126, 143}};
  Picture p = TrueColourPicture(3, 2, [&](int x, int y) { return Grey(greys[y][x]); });
  Converted c = ConvertPicture(p, 1, true);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ((std::vector<int>{c.Index(0, 0), c.Index(1, 0), c.Index(2, 0), c.Index(0, 1),
                              c.Index(1, 1), c.Index(2, 1)}),
            (std::vector<int>{1, 1, 0, 0, 1, 0}));
}

TEST(DepthConverterThreshold, PaletteSourcesUseTheirEntriesGrey) {
  Picture p = IndexPicture(4, 1, 8, [](int x, int) { return uint8_t(x); });
  p.palette[0] = {255, 255, 255, 0}, p.palette[1] = {0, 0, 0, 0};
  p.palette[2] = {0, 255, 0, 0}, p.palette[3] = {255, 0, 255, 0};  // grey 150 and 105
  Converted c = ConvertPicture(p, 1, false);
  EXPECT_EQ((std::vector<int>{c.Index(0, 0), c.Index(1, 0), c.Index(2, 0), c.Index(3, 0)}),
            (std::vector<int>{1, 0, 1, 0}));
}

TEST(DiffusionTables, SharesRoundHalfAwayFromZero) {
  EXPECT_EQ(ErrorShare(kShareRight, -127), -56);  // -55.5625
  EXPECT_EQ(ErrorShare(kShareBelow, -127), -40);  // -39.6875
  EXPECT_EQ(ErrorShare(kShareBelow, 88), 28);     // 27.5
  EXPECT_EQ(ErrorShare(kShareBelowLeft, 8), 2);   // 1.5
  EXPECT_EQ(ErrorShare(kShareBelowLeft, -8), -2);
  EXPECT_EQ(ErrorShare(kShareBelowRight, 8), 1);  // 0.5
  EXPECT_EQ(ErrorShare(kShareBelowRight, -8), -1);
  EXPECT_EQ(ErrorShare(kShareBelowRight, 7), 0);
  EXPECT_EQ(ErrorShare(kShareRight, 255), 112);
  EXPECT_EQ(ErrorShare(kShareBelow, -255), -80);
  EXPECT_EQ(ErrorShare(kShareBelowLeft, 255), 48);  // 47.8125
}

// Sixteen colours fit a 4-bit palette exactly, in order of first appearance.
TEST(DepthConverterReduction, SixteenColoursAtFourBitsAreKeptExactly) {
  auto colour = [](int x, int y) {
    const int k = (15 - x + 3 * y) % 16;
    return Bgr{uint8_t(k * 16), uint8_t(255 - k), uint8_t(k * 5)};
  };
  Picture p = TrueColourPicture(16, 3, colour);
  for (bool dither : {false, true}) {
    Converted c = ConvertPicture(p, 4, dither);
    ASSERT_EQ(c.status, Status::kOk);
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ((Bgr{c.palette[i].blue, c.palette[i].green, c.palette[i].red}), colour(i, 0));
    }
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 16; ++x) EXPECT_EQ(c.Colour(x, y), colour(x, y)) << dither;
    }
  }
}

std::vector<int> Reds(const Converted& c, int first, int count) {
  std::vector<int> reds;
  for (int i = first; i < first + count; ++i) reds.push_back(c.palette[i].red);
  return reds;
}

// Seventeen reds 0, 15 ... 240: the median cut splits red only, each box at
// the value in its middle position; boxes of equal score split in creation
// order, and each new box goes to the end.
TEST(DepthConverterReduction, SeventeenColoursAtFourBits) {
  Picture p = TrueColourPicture(17, 1, [](int x, int) { return Bgr{0, 0, uint8_t(15 * x)}; });
  Converted plain = ConvertPicture(p, 4, false);
  ASSERT_EQ(plain.status, Status::kOk);
  EXPECT_EQ(Reds(plain, 0, 16),
            (std::vector<int>{0, 135, 75, 210, 45, 195, 120, 30, 165, 105, 240, 15, 150, 90, 225, 60}));
  // 180 lies as near to 165 (entry 8) as to 195 (entry 5): the lower index wins.
  EXPECT_EQ(plain.Index(12, 0), 5);
  EXPECT_EQ(plain.Index(11, 0), 8);

  // Dithered: eight median-cut colours, then the image colours nearest to
  // black, white, blue, green, red, cyan, magenta and yellow.
  Converted dithered = ConvertPicture(p, 4, true);
  ASSERT_EQ(dithered.status, Status::kOk);
  EXPECT_EQ(Reds(dithered, 0, 8), (std::vector<int>{15, 150, 90, 225, 60, 195, 120, 30}));
  EXPECT_EQ(Reds(dithered, 8, 8), (std::vector<int>{0, 240, 0, 0, 240, 0, 240, 240}));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dithered.palette[i].blue + dithered.palette[i].green, 0);
}

TEST(DepthConverterReduction, PaletteSourcesListTheColoursTheirPixelsUse) {
  Picture p = IndexPicture(4, 2, 8, [](int x, int y) { return uint8_t(x < 2 ? 9 : 3 + y * 4); });
  for (int i = 0; i < 256; ++i) p.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  p.palette[7] = p.palette[3];  // the same colour twice
  Converted c = ConvertPicture(p, 2, false);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(Reds(c, 0, 2), (std::vector<int>{3, 9}));
  EXPECT_EQ(c.Index(0, 0), 1);
  EXPECT_EQ(c.Index(3, 0), 0);
  EXPECT_EQ(c.Index(3, 1), 0);
}

// With no neighbours to the side, each pixel's error goes at 5/16 to the
// pixel in the next row and nowhere else; the mapping follows from that.
TEST(DepthConverterReduction, OnePixelWideDitheredReductionDiffusesOnlyToTheNextRow) {
  Picture p = TrueColourPicture(1, 40, [](int, int y) { return Bgr{uint8_t(y * 6), 100, uint8_t(250 - y * 6)}; });
  Converted c = ConvertPicture(p, 2, true);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(c.converter.target_stride, 4u);
  int carried[3] = {0, 0, 0};
  for (int y = 0; y < 40; ++y) {
    int value[3];
    for (int ch = 0; ch < 3; ++ch) value[ch] = std::clamp(p.rows[y * p.stride + ch] + carried[ch], 0, 255);
    int best = INT32_MAX, best_index = -1;
    for (int i = 0; i < 4; ++i) {
      const RgbQuad& e = c.palette[i];
      int d = (value[0] - e.blue) * (value[0] - e.blue) + (value[1] - e.green) * (value[1] - e.green) +
              (value[2] - e.red) * (value[2] - e.red);
      if (d < best) best = d, best_index = i;
    }
    ASSERT_EQ(c.Index(0, y), best_index) << "row " << y;
    const RgbQuad& chosen = c.palette[best_index];
    const int entry[3] = {chosen.blue, chosen.green, chosen.red};
    for (int ch = 0; ch < 3; ++ch) carried[ch] = ErrorShare(kShareBelow, value[ch] - entry[ch]);
  }
}

TEST(DepthConverterReduction, EveryPixelTakesItsNearestEntryWithoutDither) {
  Picture p = TrueColourPicture(64, 48, [](int x, int y) {
    return Bgr{uint8_t(x * 4), uint8_t(y * 5), uint8_t((x * y) & 255)};
  });
  Converted c = ConvertPicture(p, 8, false);
  ASSERT_EQ(c.status, Status::kOk);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint8_t* px = &p.rows[y * p.stride + 3 * x];
      int best = INT32_MAX, best_index = -1;
      for (int i = 0; i < 256; ++i) {
        const RgbQuad& e = c.palette[i];
        int d = (px[0] - e.blue) * (px[0] - e.blue) + (px[1] - e.green) * (px[1] - e.green) +
                (px[2] - e.red) * (px[2] - e.red);
        if (d < best) best = d, best_index = i;
      }
      ASSERT_EQ(c.Index(x, y), best_index) << x << "," << y;
    }
  }
}

TEST(DepthConverterGif, ByteIndicesAndThreeBitPalette) {
  Picture p = TrueColourPicture(17, 1, [](int x, int) { return Bgr{0, 0, uint8_t(15 * x)}; });
  Converted c = ConvertPicture(p, 3, true, ConvertForm::kGif);
  ASSERT_EQ(c.status, Status::kOk);
  EXPECT_EQ(c.converter.target_stride, 17u);
  EXPECT_EQ(Reds(c, 3, 5), (std::vector<int>{0, 240, 0, 0, 240}));  // 3 median-cut colours first
  for (int x = 0; x < 17; ++x) EXPECT_LT(c.Index(x, 0), 8);

  Converted few = ConvertPicture(p, 5, false, ConvertForm::kGif);
  ASSERT_EQ(few.status, Status::kOk);
  for (int x = 0; x < 17; ++x) EXPECT_EQ(few.Index(x, 0), x);  // the exact palette

  Converted bw = ConvertPicture(p, 1, false, ConvertForm::kGif);
  ASSERT_EQ(bw.status, Status::kOk);
  EXPECT_EQ(bw.Index(8, 0), 0);  // red 120: grey 36
  EXPECT_EQ(ConvertPicture(p, 9, false, ConvertForm::kGif).status, Status::kEncodeFailed);
}

TEST(DepthConverterGrey, LuminanceRowsOfWidthBytes) {
  Picture p = TrueColourPicture(3, 2, [](int x, int y) { return Bgr{uint8_t(x * 100), 50, uint8_t(y * 200)}; });
  DepthConverter c;
  c.width = 3, c.height = 2;
  PrepareOneBytePerPixel(&c, 24, 8);
  ASSERT_EQ(c.target_size, 6u);
  uint8_t grey[10] = {};
  ASSERT_EQ(ConvertToGrey(c, nullptr, p.rows.data(), grey), Status::kOk);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(grey[y * 3 + x], Luminance(uint8_t(x * 100), 50, uint8_t(y * 200)));
  }
  PrepareOneBytePerPixel(&c, 24, 4);
  EXPECT_EQ(ConvertToGrey(c, nullptr, p.rows.data(), grey), Status::kEncodeFailed);
}

}  // namespace
