// The view window's title tool tip: the window title where the pointer
// rests on the system-menu icon or, without a title bar, on the frame.
#pragma once

#include <windows.h>

#include <string>

// Registers the tip's tool with the view window; once, after creating it.
void InstallTitleTip(HWND tip, HWND owner);
// The text follows the title in display mode 0.
void SetTitleTipText(const std::wstring& text);
// Shows the tip just below the pointer; nothing while it is shown already.
void ShowTitleTip(POINT screen);
void HideTitleTip();
