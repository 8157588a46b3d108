// The plain comment dialog: the text the encoders embed when saving, kept
// in the application state in the ANSI code page, as the files hold it.
#pragma once

#include <windows.h>

// True when the user took the text with OK.
bool EditSaveComment(HWND owner);
