// Opening and finishing the one adjustment the edit window runs at a time,
// and what the preview pane passes on to it.
#pragma once

#include <windows.h>

// Opens the adjustment of a command; false when the command opens none
// that the program has. Nothing happens without an image or while another
// adjustment runs.
bool OpenAdjustmentOfCommand(int command);
// The same by mode code; false when the program has no such adjustment.
bool OpenAdjustmentByMode(int mode);

// Apply (`accept`) or Cancel: the result becomes the image or is dropped.
void FinishAdjustment(bool accept);

// The preview pane's cursor while an adjustment runs; true when set.
bool SetAdjustmentPaneCursor();
// The preview pane's mouse for the adjustment; true when it was used up.
bool HandleAdjustmentPaneMouse(UINT message, WPARAM keys, POINT client);
// Ctrl was let go: over the preview pane the adjustment shows its own
// cursor again and learns where the pointer is.
void OnAdjustmentCtrlReleased();
