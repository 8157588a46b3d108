// Where commands enter: the view and edit windows' WM_COMMAND, the commands
// the program gives itself, the two dispatchers and the handler they share.
#pragma once

#include <windows.h>

#include "app/command_ids.h"
#include "app/window_arrangement.h"  // the arrangement command identifiers

// The view window's WM_COMMAND (the high word of wparam is 1 for a key of
// the accelerator table): the edit dispatcher in the edit window's mode,
// the view dispatcher otherwise.
void OnViewWindowCommand(WPARAM wparam);
// The edit window's WM_COMMAND: commands to the edit dispatcher, smaller
// identifiers to its panel controls.
void OnEditWindowCommand(WPARAM wparam);
// A command the program gives the view window itself (hand-over, mouse
// bindings, arrangement among viewers), routed as a menu command.
void RunViewCommand(int command);

// The dispatchers of display modes 0 and 2, and of mode 1.
void DispatchViewCommand(int command);
void DispatchEditCommand(int command);
// The commands both dispatchers hand on unchanged.
void RunSharedCommand(int command);

// Centres the view window in the work area of its monitor.
void CentreViewWindow();
