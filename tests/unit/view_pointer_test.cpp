// Drag directions and the hover zones at the client's edges.
#include "view/view_pointer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ViewPointer, DragDirectionNeedsMoreThanTheThreshold) {
  const ViewPoint anchor{100, 100};
  EXPECT_EQ(DragDirectionOf(anchor, {104, 104}, 8), DragDirection::kNone);
  EXPECT_EQ(DragDirectionOf(anchor, {92, 100}, 8), DragDirection::kNone);
  EXPECT_EQ(DragDirectionOf(anchor, {105, 104}, 8), DragDirection::kRight);
  EXPECT_EQ(DragDirectionOf(anchor, {104, 95}, 8), DragDirection::kUp);
  EXPECT_EQ(DragDirectionOf(anchor, {104, 105}, 8), DragDirection::kDown);
  // A diagonal counts as horizontal.
  EXPECT_EQ(DragDirectionOf(anchor, {95, 105}, 8), DragDirection::kLeft);
  EXPECT_EQ(DragDirectionOf({INT32_MAX, 0}, {INT32_MIN, 0}, 8), DragDirection::kLeft);
}

TEST(ViewPointer, HoverZones) {
  EXPECT_TRUE(InBarHoverZone({400, 21}, {800, 49}));
  EXPECT_FALSE(InBarHoverZone({400, 22}, {800, 600}));
  EXPECT_FALSE(InBarHoverZone({400, 10}, {800, 48}));

  ViewGeometry g;
  g.client_width = 800;
  g.client_height = 600;
  g.scaled_width = 801;
  g.scaled_height = 100;
  EXPECT_TRUE(InNavigatorHoverZone({778, 0}, g));
  EXPECT_TRUE(InNavigatorHoverZone({799, 119}, g));
  EXPECT_FALSE(InNavigatorHoverZone({777, 50}, g));
  EXPECT_FALSE(InNavigatorHoverZone({790, 120}, g));
  ViewGeometry fits = g;
  fits.scaled_width = 800;
  EXPECT_FALSE(InNavigatorHoverZone({790, 50}, fits));
  ViewGeometry narrow = g;
  narrow.client_width = 240;
  EXPECT_FALSE(InNavigatorHoverZone({230, 50}, narrow));

  // Full screen keeps the navigator one row further down.
  EXPECT_TRUE(InFullScreenNavigatorKeepZone({1898, 120}, {1920, 1080}));
  EXPECT_FALSE(InFullScreenNavigatorKeepZone({1898, 121}, {1920, 1080}));
  EXPECT_FALSE(InFullScreenNavigatorKeepZone({1897, 10}, {1920, 1080}));

  EXPECT_FALSE(PointerWakesCursor({500, 500}, {516, 516}));
  EXPECT_TRUE(PointerWakesCursor({500, 500}, {516, 483}));
}

}  // namespace
