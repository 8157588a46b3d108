#include "app/window_arrangement.h"

#include <cstdint>

namespace {

int64_t DivideRoundingUp(int64_t numerator, int64_t denominator) {
  return (numerator + denominator - 1) / denominator;
}

ScreenRect CellAt(int32_t left, int32_t top, int32_t width, int32_t height) {
  return ScreenRect{left, top, left + width, top + height};
}

// Cells go left to right from the top-left corner; a cell that would pass
// the right edge starts the next row instead. With the cell width rounded
// down this gives `columns` cells a row on any realistic work area.
std::vector<ScreenRect> GridCells(int window_count, const ScreenRect& work_area) {
  const GridShape grid = GridFor(window_count);
  const int32_t cell_width = work_area.width() / grid.columns;
  const int32_t cell_height = work_area.height() / grid.rows;
  std::vector<ScreenRect> cells;
  int32_t x = work_area.left;
  int32_t y = work_area.top;
  for (int i = 0; i < window_count; ++i) {
    if (int64_t{x} + cell_width > work_area.right) {
      x = work_area.left;
      y += cell_height;
    }
    cells.push_back(CellAt(x, y, cell_width, cell_height));
    x += cell_width;
  }
  return cells;
}

std::vector<ScreenRect> SideBySideCells(int window_count, const ScreenRect& work_area) {
  const int32_t cell_width = work_area.width() / window_count;
  std::vector<ScreenRect> cells;
  for (int i = 0; i < window_count; ++i) {
    cells.push_back(CellAt(work_area.left + i * cell_width, work_area.top, cell_width,
                           work_area.height()));
  }
  return cells;
}

std::vector<ScreenRect> StackedCells(int window_count, const ScreenRect& work_area) {
  const int32_t cell_height = work_area.height() / window_count;
  std::vector<ScreenRect> cells;
  for (int i = 0; i < window_count; ++i) {
    cells.push_back(CellAt(work_area.left, work_area.top + i * cell_height, work_area.width(),
                           cell_height));
  }
  return cells;
}

// The window's start on one axis: centred where the cell is larger, else at
// the cell's start.
int32_t StartInCell(int32_t window_extent, int32_t cell_start, int32_t cell_extent) {
  if (cell_extent <= window_extent) return cell_start;
  return cell_start + (cell_extent - window_extent) / 2;
}

}  // namespace

GridShape GridFor(int window_count) {
  if (window_count < 1) return GridShape{};
  int64_t columns = 2;
  while (columns < DivideRoundingUp(window_count, columns)) ++columns;
  return GridShape{static_cast<int>(columns),
                   static_cast<int>(DivideRoundingUp(window_count, columns))};
}

std::vector<ScreenRect> ArrangementCells(int command, int window_count,
                                         const ScreenRect& work_area) {
  if (window_count < 2 || work_area.width() <= 0 || work_area.height() <= 0) return {};
  switch (command) {
    case kCommandArrangeGrid: return GridCells(window_count, work_area);
    case kCommandArrangeSideBySide: return SideBySideCells(window_count, work_area);
    case kCommandArrangeStacked: return StackedCells(window_count, work_area);
    default: return {};
  }
}

ScreenRect PlaceInCell(const ScreenRect& window, const ScreenRect& cell, bool follows_image) {
  if (!follows_image) return cell;
  const int32_t left = StartInCell(window.width(), cell.left, cell.width());
  const int32_t top = StartInCell(window.height(), cell.top, cell.height());
  return CellAt(left, top, window.width(), window.height());
}
