// The navigator pop-up ("Ovira_navi_class"): the whole image with the shown
// part framed. A left drag in it pans the view in use, a right drag is a
// zoom slider. It never takes activation, so the keyboard stays with the
// window in use.
#pragma once

#include <windows.h>

LRESULT CALLBACK NavigatorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A hidden pop-up with a thin border and a static edge around a 160 x 120
// client, owned by `owner` (the edit window), its own device context
// prepared for halftone stretching and the XOR frame.
HWND CreateNavigator(HINSTANCE instance, HWND owner);

// Shows it at the top right of the window in use without activating it;
// opened by hovering it sits 80 pixels further left in the view window and
// stays after a pan ends.
void ShowNavigatorByHover();
void ShowNavigatorWhilePanning();
void HideNavigator();

// After the view's source rectangle changed: the frame moves (only while
// the navigator is shown).
void RefreshNavigator();

// The edit window's own navigator, while settings entry 60 asks for it:
// shown on entering the edit window, hidden on leaving it.
void ShowEditNavigator();
void HideEditNavigator();
// Turns entry 60 on (showing the navigator) or off (hiding it).
void ToggleEditNavigator();

// Background, thumbnail and frame as the window shows them, into any DC.
void PaintNavigatorContent(HDC dc);
