// The save options below the save dialog's file controls: each save type
// shows its own, taken from the settings and read back into them when the
// user saves.
#pragma once

#include <windows.h>

void FillSavePanel(HWND panel);
void ShowSavePanelFor(HWND panel, int save_type);
void ReadSavePanel(HWND panel);

// The panel's buttons: choosing the transparent colour, editing the
// comment. True when the command was one of them.
bool OnSavePanelCommand(HWND panel, WPARAM wparam);
