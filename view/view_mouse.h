// The view window's mouse: clicks, drags, gestures, panning, the zoom
// rectangle, the bound buttons and the wheel.
#pragma once

#include <windows.h>

enum MouseState : int {
  kStateIdle = 0,
  kStateLeftPressed = 1,
  kStateRightPressed = 2,
  kStateRightGestureLeft = 3,  // ... 6: right gesture right, up, down
  kStateLeftGestureLeft = 7,   // ... 10: left gesture right, up, down
  kStateNoEffect = 11,
  kStatePanning = 12,
  kStateZoomRectangle = 13,
};

void OnViewButtonDown(HWND window, bool left, WPARAM keys, POINT client);
void OnViewMouseMove(HWND window, WPARAM keys, POINT client);
void OnViewButtonUp(HWND window, bool left, POINT client);
void OnViewDoubleClick(WPARAM keys, POINT client);
void OnViewMiddleButton(WPARAM keys, POINT client);
void OnViewExtraButton(int which, POINT client);  // which: 1 or 2
void OnViewWheel(HWND window, int delta, WPARAM keys, POINT screen);
// The cursor for the current state; false lets the class cursor show.
bool SetViewCursor();
