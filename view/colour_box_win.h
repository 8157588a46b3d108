// The colour swatch of the bars: a small bordered square that paints the
// colour it stands for and lets a click choose another.
#pragma once

#include <windows.h>

constexpr int kSaveColourBoxId = 1060;

LRESULT CALLBACK ColourBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam);

// Creates a swatch as a child of `parent`, square with the given side.
HWND CreateColourBox(HWND parent, int id, int x, int y, int side);

// The system colour dialog, opened full with `colour`; true and the choice
// in `colour` when the user chose one. Every caller shares one row of custom
// colours.
bool ChooseColourFor(HWND owner, COLORREF* colour);
