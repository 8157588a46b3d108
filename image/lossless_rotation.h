// Which rotation a lossless save of the current JPEG applies: the turns
// already made for display, or one quarter turn more either way.
#pragma once

#include "image/document_state.h"

// For the command "save again as shown" (5014) the rotation state itself;
// a quarter turn right (5020) or left (5021) of what is shown otherwise.
// A mirrored state has no quarter turn beside it that the data can take
// losslessly in one step, so it counts from the upright picture.
constexpr int LosslessRotationFor(int command, int rotation_state) {
  constexpr int kAgain = 5014, kRight = 5020, kLeft = 5021;
  const bool turned = rotation_state >= kRotationNone && rotation_state <= kRotation270;
  if (command == kAgain) return rotation_state;
  if (command == kRight) return turned ? (rotation_state + 1) % 4 : kRotation90;
  if (command == kLeft) return turned ? (rotation_state + 3) % 4 : kRotation270;
  return rotation_state;
}
