// The seven passes of an interlaced PNG and the part of the image each one
// holds: pass p covers the pixels at column start + k x column step and row
// start + j x row step.
#pragma once

#include <cstdint>

struct Adam7Pass {
  uint32_t column_start, row_start, column_step, row_step;
  uint32_t columns, rows;  // of this pass in an image of the given size
  bool empty() const { return columns == 0 || rows == 0; }
};

constexpr int kAdam7Passes = 7;

Adam7Pass Adam7PassOf(int pass, uint32_t width, uint32_t height);
