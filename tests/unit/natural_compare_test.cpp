// The natural name order: numbers by value, case ignored, punctuation before
// digits before letters, and a consistent order for sorting.
#include "image/natural_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pair = std::u16string_view[2];

int Sign(int value) { return (value > 0) - (value < 0); }

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

template <size_t N>
void ExpectEachBeforeTheOther(const Pair (&pairs)[N]) {
  for (const auto& [a, b] : pairs) {
    EXPECT_LT(NaturalCompare(a, b), 0) << Narrow(a) << " before " << Narrow(b);
    EXPECT_GT(NaturalCompare(b, a), 0) << Narrow(a) << " before " << Narrow(b);
  }
}

TEST(NaturalCompare, DigitRunsCompareByValue) {
  const Pair before_after[] = {
      {u"img2.png", u"img10.png"},
      {u"9", u"10"},
      {u"a9z", u"a10a"},
      {u"x1y2", u"x1y10"},
      {u"a007", u"a8"},
      // Longer than any integer type: compared digit by digit, no overflow.
      {u"f99999999999999999999.jpg", u"f100000000000000000000.jpg"},
      {u"f123456789012345678901.jpg", u"f123456789012345678902.jpg"},
  };
  ExpectEachBeforeTheOther(before_after);
}

TEST(NaturalCompare, NamesThatReadTheSame) {
  const Pair same[] = {
      {u"IMG1.png", u"img1.PNG"}, {u"a01", u"a1"}, {u"0", u"000"},
      {u"\u00C9T\u00C9.jpg", u"\u00E9t\u00E9.jpg"}, {u"\u0416.jpg", u"\u0436.jpg"}, {u"", u""}};
  for (const auto& [a, b] : same) {
    EXPECT_EQ(NaturalCompare(a, b), 0) << Narrow(a);
    EXPECT_EQ(NaturalCompare(b, a), 0) << Narrow(a);
  }
}

TEST(NaturalCompare, PunctuationThenDigitsThenLetters) {
  const Pair before_after[] = {
      {u"a.jpg", u"a1.jpg"}, {u"a (2).jpg", u"a1.jpg"}, {u"a1.jpg", u"ab.jpg"},
      {u"a_b", u"ab"},       {u"abc", u"abcd"},         {u"", u"a"},
  };
  ExpectEachBeforeTheOther(before_after);
}

// A sort needs antisymmetry and transitivity, or it misplaces entries.
TEST(NaturalCompare, IsAConsistentOrder) {
  const std::vector<std::u16string> names = {
      u"img10.png", u"IMG2.png", u"img2.png",  u"img02.png", u"img.png", u"img 2.png",
      u"img_2.png", u"img2a.png", u"img2A.png", u"img2b",    u"a",       u"A1",
      u"a01",       u"a1b",       u"a1b2",      u"a10",      u"",        u"9",
      u"0009",      u"\u00E9",    u"E",         u"z"};
  for (const auto& a : names) {
    for (const auto& b : names) {
      ASSERT_EQ(Sign(NaturalCompare(a, b)), -Sign(NaturalCompare(b, a)));
      for (const auto& c : names) {
        if (NaturalCompare(a, b) <= 0 && NaturalCompare(b, c) <= 0) {
          ASSERT_LE(NaturalCompare(a, c), 0);
        }
      }
    }
  }
}

}  // namespace
