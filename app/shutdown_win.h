// Ending the program: the view window's WM_CLOSE, and the end of the
// user's logon.
#pragma once

// Asks about unsaved changes, releases everything, writes the settings and
// destroys the view window. A cancelled save question keeps the program.
void CloseProgram();

// The logon is ending: no questions, but the settings are still written.
void EndSession();
