// Bringing a saved window position back onto a monitor's work area, and
// centring a new window in it.
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include "tests/unit/screen_rect_support.h"

namespace {

const ScreenRect kWorkArea{0, 0, 1280, 984};

TEST(WindowPlacement, FitToWorkArea) {
  EXPECT_EQ(FitToWorkArea(200, 100, 820, 600, kWorkArea), (ScreenRect{200, 100, 1020, 700}));
  // Left of and above the work area: snaps to its edges.
  EXPECT_EQ(FitToWorkArea(-300, -20, 820, 600, kWorkArea), (ScreenRect{0, 0, 820, 600}));
  // Overhanging, or far off where a monitor that is gone used to be.
  EXPECT_EQ(FitToWorkArea(1000, 900, 820, 600, kWorkArea), (ScreenRect{460, 384, 1280, 984}));
  EXPECT_EQ(FitToWorkArea(5000, 3000, 820, 600, kWorkArea), (ScreenRect{460, 384, 1280, 984}));
  // Too large is clipped; a corrupt negative size gives no negative window.
  EXPECT_EQ(FitToWorkArea(100, 50, 3000, 2000, kWorkArea), kWorkArea);
  EXPECT_EQ(FitToWorkArea(100, 50, -40, -1, kWorkArea), (ScreenRect{100, 50, 100, 50}));
}

TEST(WindowPlacement, WorkAreaAwayFromTheOrigin) {
  const ScreenRect second_monitor{1920, 40, 3200, 1064};  // 1280 x 1024
  EXPECT_EQ(FitToWorkArea(0, 0, 820, 600, second_monitor), (ScreenRect{1920, 40, 2740, 640}));
  EXPECT_EQ(FitToWorkArea(3000, 800, 820, 600, second_monitor),
            (ScreenRect{2380, 464, 3200, 1064}));
  const ScreenRect left_monitor{-1280, 0, 0, 1024};
  EXPECT_EQ(FitToWorkArea(-1500, 10, 820, 600, left_monitor), (ScreenRect{-1280, 10, -460, 610}));
}

TEST(WindowPlacement, Centre) {
  EXPECT_EQ(CentreInWorkArea(400, 300, kWorkArea), (ScreenRect{440, 342, 840, 642}));
  EXPECT_EQ(CentreInWorkArea(400, 300, ScreenRect{1920, 40, 3200, 1064}),
            (ScreenRect{2360, 402, 2760, 702}));
  EXPECT_EQ(CentreInWorkArea(1480, 984, kWorkArea), (ScreenRect{-100, 0, 1380, 984}));
}

}  // namespace
