// Small helpers the in-process window tests share: where a window and its
// client are, in a form a failed comparison prints, and a plain picture
// file to open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/bmp_test_support.h"

inline std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

inline RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

inline RECT ClientOnScreen(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// A 24-bit BMP file of one grey level.
inline std::vector<uint8_t> GreyBmp(int width, int height, uint8_t level) {
  BmpFile bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.assign(static_cast<size_t>((width * 3 + 3) / 4 * 4) * height, level);
  return bmp.Bytes();
}
