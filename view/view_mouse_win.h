// The mouse over the view window and the edit window's panes: clicks,
// drags, gestures, panning, the zoom rectangle, the bound buttons and the
// wheel.
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
// Ends a drag in progress as if it had never begun: no zoom, no gesture,
// the pan kept where it got to.
void CancelViewDrag();
// The cursor for the current state; false lets the class cursor show.
bool SetViewCursor();
