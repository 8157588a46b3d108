// The gamma, brightness and contrast tables, entry by entry against the
// arithmetic they stand for, and the contrast pivot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "adjust/brightness_clamp.h"
#include "adjust/contrast_pivot.h"
#include "adjust/contrast_tables.h"
#include "adjust/gamma_tables.h"
#include "tests/unit/image_test_support.h"

namespace {

const GammaTables& Gamma() {
  static const auto tables = std::make_unique<GammaTables>();
  return *tables;
}

bool SameTable(const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, 256) == 0; }

bool IsIdentity(const uint8_t* table) {
  for (int v = 0; v < 256; ++v) {
    if (table[v] != v) return false;
  }
  return true;
}

// The table of an angle in whole degrees, through the tangent rather than
// sine over cosine.
void ExpectGammaOfAngle(int amount, int degrees) {
  const double exponent = 1 / std::tan(degrees * 3.1415926535 / 180);
  const uint8_t* table = Gamma().For(amount);
  EXPECT_EQ(table[0], 0) << amount;
  for (int j = 1; j < 256; ++j) {
    const double exact = 255 * std::pow(j / 255.0, exponent);
    EXPECT_EQ(table[j], static_cast<int>(std::floor(exact + 0.5))) << amount << " entry " << j;
  }
}

TEST(GammaTables, ZeroAndTheFirstPositiveAmountsLeaveValuesAlone) {
  EXPECT_TRUE(IsIdentity(Gamma().For(0)));
  EXPECT_TRUE(IsIdentity(Gamma().For(1)));
  EXPECT_TRUE(IsIdentity(Gamma().For(2)));
  EXPECT_FALSE(IsIdentity(Gamma().For(3)));
}

// -2 x 2 / 5 and -1 x 2 / 5 both round down to -1: an angle of 44 degrees.
TEST(GammaTables, TheFirstNegativeAmountsAlreadyDarken) {
  EXPECT_TRUE(SameTable(Gamma().For(-1), Gamma().For(-2)));
  EXPECT_FALSE(IsIdentity(Gamma().For(-1)));
  ExpectGammaOfAngle(-1, 44);
  EXPECT_EQ(Gamma().For(-1)[128], 125);
  EXPECT_FALSE(SameTable(Gamma().For(-3), Gamma().For(-2)));
}

TEST(GammaTables, TheEndsOfTheRangeAreFiveAndEightyFiveDegrees) {
  ExpectGammaOfAngle(-100, 5);
  ExpectGammaOfAngle(100, 85);
  // By hand: 255 x (254 / 255)^11.43 = 243.8 and 255 x (1 / 255)^0.0875 = 157.04.
  EXPECT_EQ(Gamma().For(-100)[254], 244);
  EXPECT_EQ(Gamma().For(-100)[128], 0);
  EXPECT_EQ(Gamma().For(100)[1], 157);
  EXPECT_NEAR(GammaExponent(-100), 11.430052, 1e-6);
  EXPECT_NEAR(GammaExponent(100), 0.0874887, 1e-6);
}

TEST(GammaTables, PositiveAmountsLightenNegativeOnesDarkenWhiteStays) {
  for (int p = -100; p <= 100; ++p) {
    const uint8_t* table = Gamma().For(p);
    EXPECT_EQ(table[255], 255) << p;
    EXPECT_TRUE(std::is_sorted(table, table + 256)) << p;
    if (p >= 3) {
      EXPECT_GT(table[128], 128) << p;
    } else if (p < 0) {
      EXPECT_LT(table[128], 128) << p;
    }
  }
  EXPECT_TRUE(SameTable(Gamma().For(500), Gamma().For(100)));
  EXPECT_TRUE(SameTable(Gamma().For(-500), Gamma().For(-100)));
}

TEST(BrightnessClamp, AddsTheAmountAndLimitsToAByte) {
  for (int p = -255; p <= 255; ++p) {
    const uint8_t* table = kBrightnessClamp.For(p);
    for (int v = 0; v < 256; ++v) ASSERT_EQ(table[v], std::clamp(v + p, 0, 255)) << p << " " << v;
  }
}

TEST(BrightnessClamp, TheWholeAmountReachesBothEndsFromEveryValue) {
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(kBrightnessClamp.For(255)[v], 255) << v;
    EXPECT_EQ(kBrightnessClamp.For(-255)[v], 0) << v;
  }
  EXPECT_EQ(kBrightnessClamp.For(1)[254], 255);
  EXPECT_EQ(kBrightnessClamp.For(-1)[1], 0);
}

TEST(ContrastWeights, AreLuminanceInUnitsOfOneOver1024) {
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(kContrastWeights[0][v], 117 * v);
    EXPECT_EQ(kContrastWeights[1][v], 601 * v);
    EXPECT_EQ(kContrastWeights[2][v], 306 * v);
  }
}

TEST(ContrastTables, FollowTheStepAroundThePivotRoundingDown) {
  const auto tables = std::make_unique<ContrastTables>(128);
  // Step 2048 x 100: (204800 x (v - 128)) >> 16.
  EXPECT_EQ(tables->For(100)[0], 0);      // 0 - 400, limited
  EXPECT_EQ(tables->For(100)[120], 95);   // 120 - 25
  EXPECT_EQ(tables->For(100)[140], 177);  // 140 + 37 (37.5 rounded down)
  EXPECT_EQ(tables->For(100)[255], 255);
  // Step 512 x -100: flattening by 100 / 128.
  EXPECT_EQ(tables->For(-100)[0], 100);
  EXPECT_EQ(tables->For(-100)[255], 155);  // 255 - 99.2, down to -100
  // The smallest step still moves values above the pivot down by one.
  EXPECT_EQ(tables->For(-1)[129], 128);
  EXPECT_EQ(tables->For(-1)[127], 127);
  EXPECT_EQ(tables->For(1)[127], 126);
  EXPECT_TRUE(IsIdentity(tables->For(0)));
  tables->Build(0);
  EXPECT_EQ(tables->For(-100)[255], 55);  // 255 - 199.2, down to -200
  EXPECT_EQ(tables->For(-100)[0], 0);
  EXPECT_EQ(tables->For(100)[128], 255);
}

TEST(ContrastTables, ThePivotNeverMoves) {
  auto tables = std::make_unique<ContrastTables>(0);
  for (int m = 0; m < 256; ++m) {
    tables->Build(m);
    for (int p = -100; p <= 100; ++p) ASSERT_EQ(tables->For(p)[m], m) << m << " " << p;
  }
}

TEST(ContrastPivot, ShiftsEachRowsSumsBeforeAveraging) {
  // One grey pixel of 128: 117, 601 and 306 x 128 shifted by 10 give 14 +
  // 75 + 38 = 127, one below the exact mean.
  TestImage one(1, 1, 24);
  one.Set(0, 0, 0x808080);
  EXPECT_EQ(ContrastPivot(one.record), 127);

  // Rows of pure blue and red pixels: (117 x 255 x 2) >> 10 = 58 and
  // (306 x 255) >> 10 = 76 in the top row; (601 x 255 x 3) >> 10 = 448 in
  // the bottom one. (58 + 76 + 448) / 6 = 97.
  TestImage mixed(3, 2, 24);
  mixed.Set(0, 0, 0x0000FF), mixed.Set(1, 0, 0xFF0000), mixed.Set(2, 0, 0x0000FF);
  for (int x = 0; x < 3; ++x) mixed.Set(x, 1, 0x00FF00);
  EXPECT_EQ(ContrastPivot(mixed.record), 97);

  TestImage indexed(3, 2, 8);
  indexed.SetEntry(0, 0x0000FF), indexed.SetEntry(1, 0xFF0000), indexed.SetEntry(2, 0x00FF00);
  indexed.SetIndex(0, 0, 0), indexed.SetIndex(1, 0, 1), indexed.SetIndex(2, 0, 0);
  for (int x = 0; x < 3; ++x) indexed.SetIndex(x, 1, 2);
  EXPECT_EQ(ContrastPivot(indexed.record), 97);
}

// 1024 pixels a row shift away no fraction: the pivot is the grey level.
TEST(ContrastPivot, OfWideGreyPicturesIsTheirLevel) {
  for (int level : {0, 1, 77, 128, 254, 255}) {
    TestImage grey(1024, 3, 24);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 1024; ++x) grey.Set(x, y, uint32_t(level) * 0x010101u);
    }
    EXPECT_EQ(ContrastPivot(grey.record), level);
  }
}

}  // namespace
