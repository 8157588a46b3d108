#include "adjust/option_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionFields, GammaShowsThousandthsWithThreePlaces) {
  EXPECT_EQ(GammaFieldText(2200), u"2.200");
  EXPECT_EQ(GammaFieldText(45455), u"45.455");
  EXPECT_EQ(GammaFieldText(1), u"0.001");
  EXPECT_EQ(GammaFieldText(0), u"0.000");
}

TEST(OptionFields, GammaReadsADecimalTimesAThousandTruncated) {
  EXPECT_EQ(GammaFromField(u"2.2"), 2200);
  EXPECT_EQ(GammaFromField(u" 2.2009 "), 2200);
  EXPECT_EQ(GammaFromField(u"1,5"), 1500);
  EXPECT_EQ(GammaFromField(u"45.455"), 45455);
  EXPECT_EQ(GammaFromField(u".4545"), 454);
  EXPECT_EQ(GammaFromField(u"3"), 3000);
  // Nothing positive becomes the least value.
  for (const char16_t* low : {u"0", u"0.0004", u"", u"-2", u"abc"}) {
    EXPECT_EQ(GammaFromField(low), 1) << static_cast<int>(low[0]);
  }
  EXPECT_EQ(GammaFromField(u"99999999999999999999"), 1000000000);
  // Round trip of what the field shows.
  for (int32_t v : {1, 999, 1000, 2200, 123456}) EXPECT_EQ(GammaFromField(GammaFieldText(v)), v);
}

TEST(OptionFields, IntervalFieldsAreHeldInTheirRange) {
  EXPECT_EQ(ClampedFieldValue(u"5", 1, 60), 5);
  EXPECT_EQ(ClampedFieldValue(u"0", 1, 60), 1);
  EXPECT_EQ(ClampedFieldValue(u"99", 1, 60), 60);
  EXPECT_EQ(ClampedFieldValue(u"", 1, 60), 1);
  EXPECT_EQ(ClampedFieldValue(u"x", 0, 99), 0);
  EXPECT_EQ(ClampedFieldValue(u" 42 ", 0, 99), 42);
  EXPECT_EQ(ClampedFieldValue(u"99999999999999", 0, 99), 99);
}

}  // namespace
