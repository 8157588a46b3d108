// The view window's own device context, prepared once and kept: stretch
// mode, XOR pen for the zoom rectangle, interface font, text colour.
#pragma once

#include <windows.h>

constexpr int kStretchHalftone = HALFTONE;         // 4, the default
constexpr int kStretchColorOnColor = COLORONCOLOR;  // 3

void PrepareViewDc(HDC dc, int stretch_setting, int background, HFONT font);

// The stretch mode for a still picture: COLORONCOLOR at 100 % (nothing to
// smooth) or when the settings ask for speed, HALFTONE otherwise.
void SetViewStretchMode(HDC dc, bool at_natural_size, int stretch_setting);
// Panning redraws on every mouse move; smoothing would make it lag.
void SetPanningStretchMode(HDC dc);

// Background: an index 0 to 4 into the stock brushes white to black.
HBRUSH BackgroundBrush(int background);
// Text on the background stays readable: white on grey and darker.
COLORREF BackgroundTextColour(int background);
