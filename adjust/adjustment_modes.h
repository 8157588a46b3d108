// The mode codes of the adjustments: each adjustment is held by its code
// while it runs, and opened by its command or by its code.
#pragma once

constexpr int kFirstAdjustmentMode = 6;
constexpr int kLastAdjustmentMode = 28;

// The code of the adjustment a command opens; 0 for any other command.
int AdjustmentModeOfCommand(int command);
// The command that opens the adjustment of a code; 0 for any other code.
int AdjustmentCommandOfMode(int mode);

// Trim, resize, canvas, distortion and rotation change the image's shape,
// so the view fits a committed result as it fits a new image.
constexpr bool IsGeometryMode(int mode) { return mode >= 6 && mode <= 10; }
