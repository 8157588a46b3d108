// The view window: the plain top-level window that shows one image.
#pragma once

#include <windows.h>

inline constexpr wchar_t kViewWindowClass[] = L"Ovira_vwin_class";
inline constexpr int kAppIconId = 100;

bool RegisterViewWindowClass(HINSTANCE instance);

// Creates the window with a client area of the empty canvas size, centred in
// the work area of the monitor under the pointer. Not shown yet.
HWND CreateViewWindow(HINSTANCE instance);
