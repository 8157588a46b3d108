// Switching among the view window, the edit window and full screen. Every
// mode change goes through here, so the file-list window and the title
// always follow the window in use.
#pragma once

#include <windows.h>

#include "app/display_mode.h"

// Leaving full screen for the edit window leaves the view window hidden;
// entering full screen remembers the mode to come back to. The edit window
// shows with `edit_show_command` (maximised the first time when it was
// saved so). Asking for the mode already in use changes nothing, except
// that the edit window drops its pending save preview.
void SwitchDisplayMode(DisplayMode target, int edit_show_command = SW_SHOW);

// Command 5530: full screen, or back from it to the mode it was entered
// from.
void ToggleFullScreen();
