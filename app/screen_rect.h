// A rectangle in screen coordinates, laid out like the system's RECT so the
// Windows layer converts it field by field.
#pragma once

#include <cstdint>

struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
};
