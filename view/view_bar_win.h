// The view window's bar: a strip of buttons across the top of the view
// window that comes up when the pointer nears the top edge, and that in
// full screen also holds the window buttons and the title.
#pragma once

#include <windows.h>

#include <string>

// Creates the bar (hidden) as a child of the view window.
HWND CreateViewBar(HWND view);
LRESULT CALLBACK ViewBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam);

void ShowViewBar();
// Nothing when it is not shown; during a slideshow the cursor hides again.
void HideViewBar();
// The bar's width follows the view window's client.
void SizeViewBar(int width);

// The window buttons and the title field that only full screen shows.
void ShowBarWindowButtons(bool shown);
// Enabled or indeterminate, by the image, the file list and the slideshow.
void RefreshBarButtons();
// The label and the title field take a new interface font.
void SetViewBarFont(HFONT font);
// The title as the full-screen field shows it.
void SetBarTitle(const std::wstring& title);
