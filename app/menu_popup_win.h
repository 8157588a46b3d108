// Showing the menu. One hidden window owns every popup: it prepares the
// items as they open and draws them, whichever window the menu is shown
// for, and the chosen command goes to that window as a menu command.
#pragma once

#include <windows.h>

// The main popup at a client point of the view or edit window.
void ShowContextMenu(HWND window, POINT client);

// WM_CONTEXTMENU from the keyboard's menu key (position -1, -1): the main
// popup at the window's top-left corner. False for other origins; right
// clicks in the client area are the mouse code's.
bool ShowContextMenuForKey(HWND window, LPARAM position);

// Any popup at a screen point, with further TrackPopupMenu flags (a tool
// strip's menu buttons open theirs below the button).
void ShowPopupMenu(HWND window, HMENU popup, POINT screen, UINT flags);

// Destroys the hidden owner window at shutdown.
void DestroyMenuOwner();
