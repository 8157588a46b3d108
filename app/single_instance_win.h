// One viewer at a time when the user wants it: a second start hands its
// command line to the running viewer and ends.
#pragma once

#include <windows.h>

class SettingsReader;

// When the settings ask for it and a viewer is running, sends it this
// process's command line and returns true; the caller then ends.
bool HandOverToRunningViewer(const SettingsReader& settings);

// WM_COPYDATA from another viewer: a hand-over (dwData 0) or an arrangement
// message (any other value).
void HandleCopyData(const COPYDATASTRUCT* copy);
