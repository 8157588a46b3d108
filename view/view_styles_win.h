// The view window's window styles in each of its states, and the change
// between them that leaves the picture where it is on screen.
#pragma once

#include <windows.h>

struct ViewStyles {
  DWORD style;
  DWORD ex_style;
};

// Captioned with the title bar; without it plain, or sizable while the
// hover frame is shown. Topmost while always on top is set.
ViewStyles ViewStylesFor(bool title_bar, bool hover_frame, bool topmost);

// The styles the application state asks for now: full screen never has a
// caption or frame.
ViewStyles WantedViewStyles();

// Sets the wanted styles when they differ from the window's, keeping the
// client area where it is on screen. With a caption, a client narrower
// than the system's minimum grows to it on both sides.
void ApplyViewStyles();
