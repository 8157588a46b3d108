// The key and mouse bindings dialog: a copy of the bindings edited row by
// row; the options dialog puts it into effect.
#pragma once

#include <windows.h>

#include "adjust/binding_edit.h"

// The bindings the program uses now, as the dialog's rows and slots.
BindingEdit CurrentBindings();

// Runs the dialog over `owner` on `edit`, opening in keys or mouse mode;
// the changed flags say what the user did. Returns whether it closed in
// mouse mode, the mode to open in next time.
bool ShowBindingsDialog(HWND owner, BindingEdit* edit, bool mouse_mode);

// Makes the edited keys the accelerator table and the edited mouse slots
// the program's, for what changed; the flags are cleared.
void InstallBindings(BindingEdit* edit, SettingsValues* settings);
