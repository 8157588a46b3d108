#include "adjust/option_fields.h"

#include <algorithm>

namespace {

constexpr int64_t kMostThousandths = 1000000000;  // keeps the sum within 32 bits

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

std::u16string Digits(int64_t value) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  return text;
}

}  // namespace

std::u16string GammaFieldText(int32_t thousandths) {
  int64_t magnitude = thousandths < 0 ? -int64_t{thousandths} : thousandths;
  std::u16string text = thousandths < 0 ? u"-" : u"";
  text += Digits(magnitude / 1000);
  text += u'.';
  std::u16string fraction = Digits(magnitude % 1000);
  text.append(3 - fraction.size(), u'0');
  return text + fraction;
}

int32_t GammaFromField(std::u16string_view text) {
  text = Trimmed(text);
  int64_t thousandths = 0;
  size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    thousandths = std::min(thousandths * 10 + (text[i] - u'0') * 1000, kMostThousandths);
  }
  if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
    int64_t place = 100;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, place /= 10) {
      thousandths += (text[i] - u'0') * place;  // places past the third add 0
    }
  }
  return thousandths <= 0 ? 1 : static_cast<int32_t>(std::min(thousandths, kMostThousandths));
}

int32_t ClampedFieldValue(std::u16string_view text, int32_t lo, int32_t hi) {
  text = Trimmed(text);
  int64_t value = 0;
  size_t digits = 0;
  for (; digits < text.size() && IsDigit(text[digits]); ++digits) {
    value = std::min<int64_t>(value * 10 + (text[digits] - u'0'), int64_t{hi} + 1);
  }
  if (digits == 0) return lo;
  return static_cast<int32_t>(std::clamp<int64_t>(value, lo, hi));
}
