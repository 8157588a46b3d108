// How far the keyboard and mouse pan the view. Large images pan in double
// steps so that crossing them does not take forever.
#pragma once

#include <cstdint>

#include "view/view_geometry.h"

constexpr int kCommandPanLeft = 5650;
constexpr int kCommandPanRight = 5651;
constexpr int kCommandPanUp = 5652;
constexpr int kCommandPanDown = 5653;

inline bool IsPanCommand(int command) {
  return command >= kCommandPanLeft && command <= kCommandPanDown;
}

// Image pixels to pan by.
struct PanDelta {
  int32_t dx = 0, dy = 0;
};

// 1 when the image is wider or taller than the screen, else 0.
int PanStepShift(ViewSize image, ViewSize screen);

// 16 image pixels shifted left by the pan step shift, in the command's
// direction, and only on an axis where the scaled image is larger than the
// client; nothing for other commands.
PanDelta PanCommandStep(int command, const ViewGeometry& geometry, int pan_step_shift);

// One mouse move while panning: (previous - current) shifted left by the
// pan step shift, so the image follows the pointer's direction of drag.
PanDelta MousePanDelta(ViewPoint previous, ViewPoint current, int pan_step_shift);
