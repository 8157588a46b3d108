// Dragging a value label: the value follows the pointer's horizontal travel
// at the parameter's pace, a unit per 1, 2, 4 or 8 pixels.
#pragma once

#include <algorithm>
#include <cstdint>

#include "adjust/tone_values.h"

// `shift` 0 moves a unit per pixel, 1 per 2 pixels, 2 per 4, 3 per 8; the
// shift is arithmetic, so a leftward drag rounds towards minus infinity.
constexpr int32_t DraggedValue(int32_t start, int distance, int shift, const AmountRange& range) {
  return std::clamp(start + (distance >> shift), range.least, range.most);
}

// How a typed number stands to its range: 0 inside, 1 at a bound, 2 outside.
constexpr int RangeCheck(int32_t typed, const AmountRange& range) {
  if (typed < range.least || typed > range.most) return 2;
  return typed == range.least || typed == range.most ? 1 : 0;
}
