#include "adjust/adjustment_modes.h"

namespace {

// Indexed by mode code less the first one.
constexpr int kCommandOfMode[] = {
    5120, 5121, 5122, 5123, 5140,  // 6 to 10: trim, resize, canvas, distortion, rotation
    5160, 5166, 5161, 5162, 5163,  // 11 to 15: levels, shadows and highlights, the tones
    5168, 5167, 5164, 5181, 5170,  // 16 to 20
    5171, 5172, 5182, 5270, 5271,  // 21 to 25
    5272, 5273, 5275,              // 26 to 28
};
static_assert(sizeof(kCommandOfMode) / sizeof(int) == kLastAdjustmentMode - kFirstAdjustmentMode + 1);

}  // namespace

int AdjustmentModeOfCommand(int command) {
  for (int mode = kFirstAdjustmentMode; mode <= kLastAdjustmentMode; ++mode) {
    if (kCommandOfMode[mode - kFirstAdjustmentMode] == command) return mode;
  }
  return 0;
}

int AdjustmentCommandOfMode(int mode) {
  if (mode < kFirstAdjustmentMode || mode > kLastAdjustmentMode) return 0;
  return kCommandOfMode[mode - kFirstAdjustmentMode];
}
