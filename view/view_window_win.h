// The view window: the plain top-level window that shows one image.
#pragma once

#include <windows.h>

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Creates the view window by the settings (title bar, always on top, follow
// the image size or the saved placement) on the monitor under the pointer.
// Not shown yet.
HWND CreateViewWindow(HINSTANCE instance);

// The work area of the monitor nearest the window (or, with no window, the
// pointer); the primary work area when monitors cannot be asked.
RECT WorkAreaNear(HWND window);

// The whole monitor nearest the window; the primary screen without monitor
// information.
RECT MonitorRectNear(HWND window);
