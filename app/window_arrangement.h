// Where the running viewers go when one of them arranges them all: a grid,
// side by side or stacked within one work area.
#pragma once

#include <vector>

#include "app/screen_rect.h"

constexpr int kCommandArrangeGrid = 5351;
constexpr int kCommandArrangeSideBySide = 5352;
constexpr int kCommandArrangeStacked = 5353;

struct GridShape {
  int columns = 0, rows = 0;
};

// The smallest column count c, counting from 2, with c >= ceil(n / c); the
// rows are ceil(n / c). 5 windows give 3 x 2, 2 give 2 x 1. Fewer than one
// window gives an empty shape.
GridShape GridFor(int window_count);

// One cell per window, in the order the windows are handed their cells.
// Empty for any other command, for fewer than two windows and for an empty
// work area.
std::vector<ScreenRect> ArrangementCells(int command, int window_count,
                                         const ScreenRect& work_area);

// Where a window goes in its cell. A window that follows the image size
// keeps its size and is centred on each axis where the cell is larger, and
// otherwise takes the cell's left or top edge; any other window takes the
// cell exactly.
ScreenRect PlaceInCell(const ScreenRect& window, const ScreenRect& cell, bool follows_image);
