#include "image/ansi_text_win.h"

#include <windows.h>

namespace {

int AnsiBytes(const wchar_t* text, size_t count) {
  return WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(count), nullptr, 0, nullptr,
                             nullptr);
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// How many UTF-16 units of `text` convert into at most `max_bytes` bytes,
// a surrogate pair being one character.
size_t UnitsThatFit(const std::wstring& text, size_t max_bytes) {
  size_t units = 0, bytes = 0;
  while (units < text.size()) {
    const size_t step = IsHighSurrogate(text[units]) && units + 1 < text.size() ? 2 : 1;
    const size_t more = static_cast<size_t>(AnsiBytes(text.data() + units, step));
    if (bytes + more > max_bytes) break;
    bytes += more;
    units += step;
  }
  return units;
}

}  // namespace

std::string ToAnsiCodePage(const std::wstring& text, size_t max_bytes) {
  const size_t units = UnitsThatFit(text, max_bytes);
  if (units == 0) return {};
  std::string out(static_cast<size_t>(AnsiBytes(text.data(), units)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(units), out.data(),
                      static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::wstring FromAnsiCodePage(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, out.data(), units);
  return out;
}
