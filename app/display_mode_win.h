// Switching between the view window and the edit window.
#pragma once

// Shows the edit window (maximised the first time when it was saved so, or
// with the given show command) and hides the view window.
void EnterEditMode(int show_command);
// Shows the view window again and hides the edit window.
void EnterViewMode();
// Full screen arrives with its own module; until then these keep the window.
void EnterFullScreen();
void LeaveFullScreen();
