// The portable core keeps text as UTF-16 in std::u16string; on Windows
// wchar_t is the same 16-bit unit, so crossing over is a plain copy.
#pragma once

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(const std::u16string& text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
// A language string's "%1" replaced by the number.
inline std::wstring WithNumber(std::wstring text, int number) {
  const size_t at = text.find(L"%1");
  if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(number));
  return text;
}

inline std::u16string ToU16(const std::wstring& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}
