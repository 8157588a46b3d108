// The view window's own chrome in display mode 0: the title bar, and the
// sizing frame that a window without one shows while the pointer is over it.
#pragma once

#include <windows.h>

// Commands 5330 and 5331; both only act in display mode 0.
void ToggleTitleBar();
void ToggleHoverFrame();

// Nothing when the frame is not shown.
void TakeAwayHoverFrame();

// Pointer messages of the view window: WM_MOUSEMOVE, WM_NCMOUSEMOVE with
// its hit-test code and screen point, WM_MOUSELEAVE and WM_NCMOUSELEAVE.
void OnViewClientHover(HWND window);
void OnViewFrameHover(HWND window, WPARAM hit, POINT screen);
void OnViewPointerLeft(HWND window, bool from_frame);

// WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE: while the user sizes or moves the
// window its frame stays; afterwards it goes.
void OnViewSizeMoveLoop(bool entering);
