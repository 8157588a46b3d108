#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "effects/median_cut.h"
#include "effects/nearest_colour.h"
#include "effects/reference_colours.h"

namespace {

std::vector<uint8_t> Working(const std::vector<RgbQuad>& pixels) {
  std::vector<uint8_t> out;
  for (const RgbQuad& p : pixels) out.insert(out.end(), {p.blue, p.green, p.red, 0});
  return out;
}

std::vector<RgbQuad> Cut(const std::vector<RgbQuad>& pixels, int colours) {
  std::vector<uint8_t> working = Working(pixels);
  std::vector<RgbQuad> palette(colours);
  EXPECT_EQ(MedianCutPalette(working.data(), pixels.size(), colours, palette.data()), Status::kOk);
  return palette;
}

bool Same(const RgbQuad& a, const RgbQuad& b) {
  return a.blue == b.blue && a.green == b.green && a.red == b.red;
}

// Which channel a box is cut along shows in which pixel leaves first.
TEST(MedianCut, ChannelWeightsAndTies) {
  // Blue spread 10 against green 5 (counted 10): blue must be strictly wider.
  auto green_wins = Cut({{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 5, 0, 0}}, 2);
  EXPECT_TRUE(Same(green_wins[0], {10, 0, 0, 0}));  // median of 0 and 10 is 10
  EXPECT_TRUE(Same(green_wins[1], {0, 5, 0, 0}));
  // Red spread 4 (counted 6) against green 3 (counted 6): red wins the tie.
  auto red_wins = Cut({{0, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}}, 2);
  EXPECT_TRUE(Same(red_wins[1], {0, 0, 4, 0}));
  // Blue 7 beats red 4 (6) and green 3 (6).
  auto blue_wins = Cut({{0, 0, 0, 0}, {7, 0, 0, 0}, {0, 3, 4, 0}}, 2);
  EXPECT_TRUE(Same(blue_wins[1], {7, 0, 0, 0}));
}

TEST(MedianCut, MedianIsTheValueAboveHalfTheBox) {
  // Four pixels 0, 0, 10, 10: more than two lie at or below 10, so the
  // median is the maximum and the cut moves the 10s out.
  auto palette = Cut({{0, 0, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 0}, {0, 0, 10, 0}}, 2);
  EXPECT_EQ(palette[0].red, 0);
  EXPECT_EQ(palette[1].red, 10);
  // A single colour gives every box that colour or an empty box's zero.
  auto flat = Cut({{9, 9, 9, 0}, {9, 9, 9, 0}}, 3);
  EXPECT_TRUE(Same(flat[0], {9, 9, 9, 0}) || Same(flat[1], {9, 9, 9, 0}));
}

TEST(MedianCut, RefusesHugeImages) {
  uint8_t pixel[4] = {};
  RgbQuad palette[4];
  EXPECT_EQ(MedianCutPalette(pixel, kMedianCutMaxPixels, 4, palette), Status::kEncodeFailed);
}

TEST(ReferenceColours, FirstNearestPixelOfEachReference) {
  std::vector<RgbQuad> pixels = {{10, 10, 10, 0}, {250, 250, 250, 0}, {5, 5, 20, 0},
                                 {20, 5, 5, 0},   {200, 30, 30, 0},   {30, 30, 200, 0}};
  std::vector<uint8_t> working = Working(pixels);
  RgbQuad out[kReferenceColourCount];
  NearestPixelsToReferences(working.data(), pixels.size(), kReferenceColourCount, out);
  EXPECT_TRUE(Same(out[0], pixels[0]));  // black: three pixels at 300, the first wins
  EXPECT_TRUE(Same(out[1], pixels[1]));
  EXPECT_TRUE(Same(out[2], pixels[4]));  // blue
  EXPECT_TRUE(Same(out[4], pixels[5]));  // red
  EXPECT_TRUE(Same(out[7], pixels[5]));  // yellow (green + red): 54550 against white 62550
}

// The fast search must give the exhaustive answer for every query, ties
// included: palettes with repeated entries and clustered colours make ties
// common.
TEST(NearestColour, AgreesWithTheExhaustiveSearch) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    const int count = 1 + static_cast<int>(rng() % 256);
    const int spread = round % 2 ? 256 : 8;
    std::vector<RgbQuad> palette(count);
    for (RgbQuad& e : palette) {
      e = {uint8_t(rng() % spread * (256 / spread)), uint8_t(rng() % spread * (256 / spread)),
           uint8_t(rng() % spread * (256 / spread)), 0};
    }
    if (count > 4) palette[count - 1] = palette[1];
    NearestColour nearest;
    ASSERT_TRUE(nearest.Init(palette.data(), count));
    for (int q = 0; q < 3000; ++q) {
      const uint8_t b = uint8_t(rng()), g = uint8_t(rng()), r = uint8_t(rng());
      ASSERT_EQ(nearest.Find(b, g, r), NearestColourExhaustive(palette.data(), count, b, g, r))
          << round << " " << q;
      ASSERT_EQ(nearest.Find(b, g, r), NearestColourExhaustive(palette.data(), count, b, g, r));
    }
  }
}

TEST(NearestColour, EqualDistancesGoToTheLowerIndex) {
  const RgbQuad palette[3] = {{0, 0, 20, 0}, {0, 0, 10, 0}, {0, 0, 0, 0}};
  NearestColour nearest;
  ASSERT_TRUE(nearest.Init(palette, 3));
  EXPECT_EQ(nearest.Find(0, 0, 15), 0);
  EXPECT_EQ(nearest.Find(0, 0, 5), 1);
  EXPECT_EQ(nearest.Find(0, 0, 10), 1);
}

}  // namespace
