// The view window's mouse: clicks, drags, gestures, panning, the zoom
// rectangle, the bound buttons and the wheel.
#pragma once

#include <windows.h>

#include "view/mouse_states.h"

void OnViewButtonDown(HWND window, bool left, WPARAM keys, POINT client);
void OnViewMouseMove(HWND window, WPARAM keys, POINT client);
void OnViewButtonUp(HWND window, bool left, POINT client);
void OnViewDoubleClick(WPARAM keys, POINT client);
void OnViewMiddleButton(WPARAM keys, POINT client);
void OnViewExtraButton(int which, POINT client);  // which: 1 or 2
void OnViewWheel(HWND window, int delta, WPARAM keys, POINT screen);
// The cursor for the current state; false lets the class cursor show.
bool SetViewCursor();
