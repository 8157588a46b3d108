#include "codecs/png_adam7.h"

namespace {

constexpr uint32_t kColumnStart[kAdam7Passes] = {0, 4, 0, 2, 0, 1, 0};
constexpr uint32_t kRowStart[kAdam7Passes] = {0, 0, 4, 0, 2, 0, 1};
constexpr uint32_t kColumnStep[kAdam7Passes] = {8, 8, 4, 4, 2, 2, 1};
constexpr uint32_t kRowStep[kAdam7Passes] = {8, 8, 8, 4, 4, 2, 2};

// How many of start, start + step, ... lie below size; no overflow near 2^32.
uint32_t CountFrom(uint32_t start, uint32_t step, uint32_t size) {
  return size > start ? (size - start - 1) / step + 1 : 0;
}

}  // namespace

Adam7Pass Adam7PassOf(int pass, uint32_t width, uint32_t height) {
  Adam7Pass p = {kColumnStart[pass], kRowStart[pass], kColumnStep[pass], kRowStep[pass], 0, 0};
  p.columns = CountFrom(p.column_start, p.column_step, width);
  p.rows = CountFrom(p.row_start, p.row_step, height);
  return p;
}
