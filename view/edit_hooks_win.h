// The hooks of the edit window. The keyboard hook must see Enter and Esc
// before the key table turns them into commands: Enter applies the
// adjustment in progress, Esc cancels a pane drag or the adjustment. The
// menu hook lets the tool strip's menu buttons behave like a menu bar.
#pragma once

#include <windows.h>

void InstallEditHooks();
void RemoveEditHooks();

// What the keyboard hook does with a key going down; true when the key is
// used up and goes no further.
bool HandleEditKey(WPARAM key);

// Ctrl going up: an adjustment may change the preview pane's cursor back.
void HandleCtrlReleased();
