// Start-up: from the settings location to the first window.
#pragma once

// Returns true when the message loop is to run.
bool StartUp(int show_command);

// The two texts the program carries itself, for when no language module can
// be had.
void ShowFatalStartupError(const wchar_t* text);
