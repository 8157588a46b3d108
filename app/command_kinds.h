// Which commands the dispatchers treat alike: those that change the image
// (they run in the edit window), and those that stay available while an
// adjustment is in progress.
#pragma once

// The adjustments, right-angle turns and flips, and the immediate effects.
bool IsImageEditCommand(int command);

// Zoom, pan and pane commands, and apply and cancel; every other command
// waits until the adjustment has ended.
bool IsAllowedDuringAdjustment(int command);

// Commands 5420 to 5427: the external program's number 0..7, or -1.
int ExternalProgramIndex(int command);
