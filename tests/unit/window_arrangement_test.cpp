// Cells handed to the running viewers by the grid, side-by-side and stacked
// arrangements, and how a window settles into its cell.
#include "app/window_arrangement.h"

#include <gtest/gtest.h>

#include "tests/unit/screen_rect_support.h"

namespace {

using Cells = std::vector<ScreenRect>;

const ScreenRect kWorkArea{0, 0, 1280, 1000};

TEST(WindowArrangement, GridShapes) {
  const int cases[][3] = {{1, 2, 1}, {2, 2, 1}, {4, 2, 2}, {5, 3, 2}, {10, 4, 3}};
  for (const auto& [windows, columns, rows] : cases) {
    const GridShape grid = GridFor(windows);
    EXPECT_EQ(grid.columns, columns) << windows;
    EXPECT_EQ(grid.rows, rows) << windows;
  }
  const GridShape huge = GridFor(INT32_MAX);  // no overflow on the way
  EXPECT_EQ(huge.columns, 46341);
  EXPECT_EQ(huge.rows, 46341);
}

TEST(WindowArrangement, GridFillsRowsLeftToRight) {
  const Cells five = {{0, 0, 426, 500},   {426, 0, 852, 500},   {852, 0, 1278, 500},
                      {0, 500, 426, 1000}, {426, 500, 852, 1000}};
  EXPECT_EQ(ArrangementCells(kCommandArrangeGrid, 5, kWorkArea), five);

  const Cells two = {{0, 0, 640, 1000}, {640, 0, 1280, 1000}};
  EXPECT_EQ(ArrangementCells(kCommandArrangeGrid, 2, kWorkArea), two);

  const Cells left_monitor = {{-1280, 40, -640, 540}, {-640, 40, 0, 540}, {-1280, 540, -640, 1040}};
  EXPECT_EQ(ArrangementCells(kCommandArrangeGrid, 3, ScreenRect{-1280, 40, 0, 1040}),
            left_monitor);
}

TEST(WindowArrangement, SideBySideAndStacked) {
  const Cells side = {{0, 0, 426, 1000}, {426, 0, 852, 1000}, {852, 0, 1278, 1000}};
  EXPECT_EQ(ArrangementCells(kCommandArrangeSideBySide, 3, kWorkArea), side);

  const ScreenRect work_area{100, 20, 1380, 1020};
  const Cells stacked = {{100, 20, 1380, 353}, {100, 353, 1380, 686}, {100, 686, 1380, 1019}};
  EXPECT_EQ(ArrangementCells(kCommandArrangeStacked, 3, work_area), stacked);
}

TEST(WindowArrangement, NothingToArrange) {
  EXPECT_TRUE(ArrangementCells(kCommandArrangeGrid, 1, kWorkArea).empty());
  EXPECT_TRUE(ArrangementCells(kCommandArrangeSideBySide, 0, kWorkArea).empty());
  EXPECT_TRUE(ArrangementCells(kCommandArrangeStacked, 3, ScreenRect{10, 10, 10, 500}).empty());
  EXPECT_TRUE(ArrangementCells(5354, 3, kWorkArea).empty());
}

TEST(WindowArrangement, PlaceInCell) {
  const ScreenRect cell{426, 500, 852, 1000};
  const ScreenRect small{7, 9, 207, 109};  // 200 x 100
  EXPECT_EQ(PlaceInCell(small, cell, false), cell);
  EXPECT_EQ(PlaceInCell(small, cell, true), (ScreenRect{539, 700, 739, 800}));

  // Wider than the cell: left edge of the cell, still centred vertically.
  const ScreenRect wide{0, 0, 600, 100};
  EXPECT_EQ(PlaceInCell(wide, cell, true), (ScreenRect{426, 700, 1026, 800}));
  // Exactly as tall as the cell: top edge.
  const ScreenRect tall{0, 0, 100, 500};
  EXPECT_EQ(PlaceInCell(tall, cell, true), (ScreenRect{589, 500, 689, 1000}));
}

}  // namespace
