#include "view/view_pan.h"

#include <algorithm>

#include "view/view_arithmetic.h"

namespace {

constexpr int32_t kPanCommandPixels = 16;

// Only 0 and 1 are ever produced; anything else is held to that range so a
// stray value cannot shift past the integer's width.
int32_t Shifted(int64_t value, int pan_step_shift) {
  return SaturateToInt32(value * (int64_t{1} << std::clamp(pan_step_shift, 0, 1)));
}

int32_t CommandStep(bool scrollable, bool backwards, int pan_step_shift) {
  if (!scrollable) return 0;
  const int32_t step = Shifted(kPanCommandPixels, pan_step_shift);
  return backwards ? -step : step;
}

}  // namespace

int PanStepShift(ViewSize image, ViewSize screen) {
  return image.width > screen.width || image.height > screen.height ? 1 : 0;
}

PanDelta PanCommandStep(int command, const ViewGeometry& geometry, int pan_step_shift) {
  const bool wide = geometry.scaled_width > geometry.client_width;
  const bool tall = geometry.scaled_height > geometry.client_height;
  switch (command) {
    case kCommandPanLeft: return {CommandStep(wide, true, pan_step_shift), 0};
    case kCommandPanRight: return {CommandStep(wide, false, pan_step_shift), 0};
    case kCommandPanUp: return {0, CommandStep(tall, true, pan_step_shift)};
    case kCommandPanDown: return {0, CommandStep(tall, false, pan_step_shift)};
    default: return {};
  }
}

PanDelta MousePanDelta(ViewPoint previous, ViewPoint current, int pan_step_shift) {
  return {Shifted(int64_t{previous.x} - current.x, pan_step_shift),
          Shifted(int64_t{previous.y} - current.y, pan_step_shift)};
}
