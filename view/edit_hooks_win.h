// The keyboard rules of the edit window, which must see Enter and Esc before
// the key table turns them into commands: Enter applies the adjustment in
// progress, Esc cancels a pane drag or the adjustment.
#pragma once

#include <windows.h>

void InstallEditHooks();
void RemoveEditHooks();

// What the keyboard hook does with a key going down; true when the key is
// used up and goes no further.
bool HandleEditKey(WPARAM key);
