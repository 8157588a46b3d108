// The pieces of the PNG codec that every file goes through: chunk
// checksums, the five filters and the writer's choice among them, and the
// seven interlace passes.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "codecs/png_adam7.h"
#include "codecs/png_crc.h"
#include "codecs/png_filters.h"

namespace {

TEST(PngCrc, MatchesTheStandardCheckValues) {
  const uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(PngCrc(0, check, sizeof(check)), 0xCBF43926u);
  const uint8_t iend[] = {'I', 'E', 'N', 'D'};
  EXPECT_EQ(PngCrc(0, iend, 4), 0xAE426082u);  // every PNG's last four bytes
  // Continuing over the second half gives the CRC of the whole.
  EXPECT_EQ(PngCrc(PngCrc(0, check, 4), check + 4, 5), 0xCBF43926u);
}

TEST(PngFilters, PaethPicksTheNearestNeighbourLeftThenAboveOnTies) {
  EXPECT_EQ(PaethPredictor(10, 20, 10), 20);  // estimate 20: above is exact
  EXPECT_EQ(PaethPredictor(20, 10, 10), 20);  // estimate 20: left is exact
  EXPECT_EQ(PaethPredictor(5, 5, 5), 5);
  EXPECT_EQ(PaethPredictor(100, 50, 200), 50);  // estimate -50: above is nearer
  EXPECT_EQ(PaethPredictor(3, 9, 6), 6);        // estimate 6: upper left
  EXPECT_EQ(PaethPredictor(7, 1, 4), 4);        // left and above 3 away, upper left 0
}

// Every filter undone gives back the row, for the first row of an image
// (nothing above) and for later rows, at every pixel size: rows of whole
// pixels take the pixel-wide loops, others the byte-wise ones. Bytes near 0
// and 255 make sums wrap and predictors tie.
TEST(PngFilters, EveryFilterUndoesItself) {
  std::mt19937 random(7);
  const uint8_t extremes[] = {0, 1, 2, 127, 128, 253, 254, 255};
  for (size_t distance : {1u, 2u, 3u, 4u, 6u, 8u})
  for (bool near_ends : {false, true}) {
    for (size_t size : {1u, 5u, 48u, 64u, 600u}) {
      std::vector<uint8_t> above(size), row(size), filtered(size);
      auto draw = [&] { return near_ends ? extremes[random() % 8] : uint8_t(random()); };
      for (auto& b : above) b = draw();
      for (auto& b : row) b = draw();
      for (int f = kFilterNone; f <= kFilterPaeth; ++f) {
        const uint8_t* previous_rows[] = {nullptr, above.data()};
        for (const uint8_t* previous : previous_rows) {
          FilterRow(PngFilter(f), row.data(), previous, size, distance, filtered.data());
          UnfilterRow(uint8_t(f), filtered.data(), previous, size, distance);
          EXPECT_EQ(filtered, row)
              << "filter " << f << " distance " << distance << " size " << size;
        }
      }
    }
  }
}

TEST(PngFilters, UnknownTypesLeaveTheRowAsItIs) {
  std::vector<uint8_t> row = {9, 8, 7, 6}, above = {1, 2, 3, 4};
  UnfilterRow(5, row.data(), above.data(), row.size(), 1);
  EXPECT_EQ(row, (std::vector<uint8_t>{9, 8, 7, 6}));
}

// Average and Sub by hand: bytes the filter reaches outside the row count as 0.
TEST(PngFilters, AverageAndSubOnAKnownRow) {
  std::vector<uint8_t> row = {10, 20, 30, 40}, above = {100, 100, 100, 101}, out(4);
  FilterRow(kFilterAverage, row.data(), above.data(), 4, 2, out.data());
  // Predictions 50, 50, (10 + 100) / 2, (20 + 101) / 2, subtracted modulo 256.
  EXPECT_EQ(out, (std::vector<uint8_t>{216, 226, 231, 236}));
  FilterRow(kFilterSub, row.data(), nullptr, 4, 2, out.data());
  EXPECT_EQ(out, (std::vector<uint8_t>{10, 20, 20, 20}));
}

int ScoreOf(PngFilter f, const std::vector<uint8_t>& row, size_t distance) {
  std::vector<uint8_t> out(row.size());
  FilterRow(f, row.data(), nullptr, row.size(), distance, out.data());
  return FilterScore(f, out.data(), out.size());
}

TEST(PngFilterChoice, ARowOfIdenticalBytesKeepsNone) {
  for (uint8_t value : {0, 255}) {
    std::vector<uint8_t> row(60, value);
    int scores[5];
    for (int f = 0; f < 5; ++f) scores[f] = ScoreOf(PngFilter(f), row, 3);
    EXPECT_EQ(ChooseFilter(scores), kFilterNone) << int(value);
  }
  // The type byte counts as the byte before the first one.
  const uint8_t zeros[4] = {0, 0, 0, 0};
  EXPECT_EQ(FilterScore(0, zeros, 4), 4);
  EXPECT_EQ(FilterScore(1, zeros, 4), 3);
  const uint8_t sevens[3] = {7, 7, 7};
  EXPECT_EQ(FilterScore(7, sevens, 3), 0) << "only 0 to 3 and 252 to 255 count";
}

TEST(PngFilterChoice, PairsAndTiesAsTheRuleSays) {
  const int average_wins[5] = {5, 7, 7, 9, 9};     // Sub vs Average: Average higher
  EXPECT_EQ(ChooseFilter(average_wins), kFilterAverage);
  const int none_holds[5] = {9, 9, 3, 3, 3};       // Sub only equals None
  EXPECT_EQ(ChooseFilter(none_holds), kFilterNone);
  const int first_pair_on_tie[5] = {1, 2, 5, 5, 4};  // Up vs Average tie: Up
  EXPECT_EQ(ChooseFilter(first_pair_on_tie), kFilterUp);
  const int paeth[5] = {0, 1, 1, 2, 3};
  EXPECT_EQ(ChooseFilter(paeth), kFilterPaeth);
}

TEST(PngAdam7, TheSevenPassesOfAnEightByEightImage) {
  const uint32_t columns[7] = {1, 1, 2, 2, 4, 4, 8}, rows[7] = {1, 1, 1, 2, 2, 4, 4};
  for (int p = 0; p < kAdam7Passes; ++p) {
    Adam7Pass pass = Adam7PassOf(p, 8, 8);
    EXPECT_EQ(pass.columns, columns[p]) << p;
    EXPECT_EQ(pass.rows, rows[p]) << p;
  }
  EXPECT_FALSE(Adam7PassOf(0, 1, 1).empty());
  for (int p = 1; p < kAdam7Passes; ++p) EXPECT_TRUE(Adam7PassOf(p, 1, 1).empty()) << p;
}

TEST(PngAdam7, ThePassesCoverEveryPixelOnce) {
  for (uint32_t width = 1; width <= 19; ++width) {
    for (uint32_t height = 1; height <= 19; ++height) {
      std::vector<int> hits(width * height, 0);
      for (int p = 0; p < kAdam7Passes; ++p) {
        Adam7Pass pass = Adam7PassOf(p, width, height);
        for (uint32_t j = 0; j < pass.rows; ++j) {
          for (uint32_t k = 0; k < pass.columns; ++k) {
            uint32_t x = pass.column_start + k * pass.column_step;
            uint32_t y = pass.row_start + j * pass.row_step;
            ASSERT_LT(x, width);
            ASSERT_LT(y, height);
            ++hits[y * width + x];
          }
        }
      }
      for (int h : hits) ASSERT_EQ(h, 1) << width << " x " << height;
    }
  }
  Adam7Pass huge = Adam7PassOf(6, 0xFFFFFFFFu, 0xFFFFFFFFu);
  EXPECT_EQ(huge.columns, 0xFFFFFFFFu);
  EXPECT_EQ(huge.rows, 0x7FFFFFFFu);
}

}  // namespace
