#include "view/millimetre_text.h"

#include <cwctype>

namespace {

constexpr int64_t kMostTenths = 100000;  // 10 m: no paper is larger

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring MillimetreText(int32_t tenths) {
  bool negative = tenths < 0;
  int64_t magnitude = negative ? -static_cast<int64_t>(tenths) : tenths;
  std::wstring text = negative ? L"-" : L"";
  text += std::to_wstring(magnitude / 10);
  if (magnitude % 10 != 0) {
    text += L'.';
    text += static_cast<wchar_t>(L'0' + magnitude % 10);
  }
  return text;
}

std::optional<int32_t> ParseMillimetres(const std::wstring& text) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  int64_t whole = 0;
  int digits = 0;
  for (; i < end && std::iswdigit(text[i]); ++i, ++digits) {
    whole = whole * 10 + (text[i] - L'0');
    if (whole > kMostTenths) return std::nullopt;
  }
  int64_t tenths = whole * 10;
  if (i < end && (text[i] == L'.' || text[i] == L',')) {
    ++i;
    // Hundredths and beyond only round the tenths.
    int64_t fraction = 0, scale = 1;
    for (; i < end && std::iswdigit(text[i]); ++i, ++digits) {
      if (scale < 1000000) {
        fraction = fraction * 10 + (text[i] - L'0');
        scale *= 10;
      }
    }
    tenths += (fraction * 10 + scale / 2) / scale;
  }
  if (digits == 0 || i != end || tenths > kMostTenths) return std::nullopt;
  return static_cast<int32_t>(tenths);
}
