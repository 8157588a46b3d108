// The edit window: the larger top-level window in which adjustments are made.
#pragma once

#include <windows.h>

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Creates the edit window hidden, owned by the view window, at its saved
// placement fitted to the view window's monitor, and the navigator after it.
HWND CreateEditWindow(HINSTANCE instance);
