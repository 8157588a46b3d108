#include <gtest/gtest.h>

#include "tests/unit/screen_rect_support.h"
#include "view/file_list_place.h"
#include "view/file_list_rows.h"

namespace {

// A 1920 x 1040 work area below a 40-pixel task bar on top; the list 180 x 360.
FileListPlaceInput Input(DisplayMode mode, ScreenRect in_use) {
  FileListPlaceInput in;
  in.mode = mode;
  in.in_use = in_use;
  in.work_area = {0, 40, 1920, 1080};
  in.width = 180;
  in.height = 360;
  in.caption_height = 23;
  in.strip_bottom = 160;
  return in;
}

TEST(FileListPlace, BesideTheWindowInUseWhileThereIsRoom) {
  ScreenRect view = {500, 100, 1300, 700};
  EXPECT_EQ(FileListPlace(Input(kDisplayView, view)), (ScreenRect{320, 100, 500, 460}));
  EXPECT_EQ(FileListPlace(Input(kDisplayEdit, view)), (ScreenRect{320, 100, 500, 460}));
  // Exactly at the work area's left edge still counts as room.
  ScreenRect flush = {180, 100, 980, 700};
  EXPECT_EQ(FileListPlace(Input(kDisplayView, flush)), (ScreenRect{0, 100, 180, 460}));
}

TEST(FileListPlace, FallsBackToTheWorkAreaEdgeBelowTheTitle) {
  ScreenRect view = {179, 100, 979, 700};
  FileListPlaceInput in = Input(kDisplayView, view);
  EXPECT_EQ(FileListPlace(in), (ScreenRect{0, 100 + 23 + 24, 180, 100 + 23 + 24 + 360}));
  in.caption_height = 0;  // no title bar shown
  EXPECT_EQ(FileListPlace(in), (ScreenRect{0, 124, 180, 484}));
  // The edit window's fallback top is its tool strip's bottom edge.
  EXPECT_EQ(FileListPlace(Input(kDisplayEdit, view)), (ScreenRect{0, 160, 180, 520}));
  // A work area that does not start at 0 (a second monitor on the left).
  in.work_area = {-1280, 0, 0, 1024};
  in.in_use = {-1200, 50, -400, 650};
  EXPECT_EQ(FileListPlace(in), (ScreenRect{-1280, 74, -1100, 434}));
}

TEST(FileListPlace, FullScreenUsesTheWorkAreaCorner) {
  ScreenRect screen = {0, 0, 1920, 1080};
  EXPECT_EQ(FileListPlace(Input(kDisplayFullScreen, screen)), (ScreenRect{0, 64, 180, 424}));
}

TEST(FileListRows, SizeIsWholeKibRoundedUp) {
  EXPECT_EQ(RowSizeText(0), u"0KB");
  EXPECT_EQ(RowSizeText(1), u"1KB");
  EXPECT_EQ(RowSizeText(1024), u"1KB");
  EXPECT_EQ(RowSizeText(1025), u"2KB");
  EXPECT_EQ(RowSizeText(1536 * 1024), u"1536KB");
  EXPECT_EQ(RowSizeText(UINT64_MAX), u"4294967295KB");
}

TEST(FileListRows, DateIsPaddedAndSortable) {
  EXPECT_EQ(RowDateText({2026, 12, 9, 14, 5}), u"2026-12-09 14:05");
  EXPECT_EQ(RowDateText({1999, 1, 31, 0, 0}), u"1999-01-31 00:00");
  EXPECT_EQ(RowDateText({601, 7, 4, 23, 59}), u"0601-07-04 23:59");
}

TEST(FileListRows, NarrowRowsDropTheDateThenTheSize) {
  // size 40, date 100, gap 6, the name keeps at least 30.
  RowWidths w{0, 40, 100, 6, 30};
  w.row = 30 + 6 + 40 + 6 + 100;  // just wide enough for everything
  RowColumns c = LayOutRow(w);
  EXPECT_TRUE(c.size);
  EXPECT_TRUE(c.date);
  EXPECT_EQ(c.info_left, 30 + 6);
  EXPECT_EQ(c.name_right, 30);

  w.row -= 1;  // the date goes first
  c = LayOutRow(w);
  EXPECT_TRUE(c.size);
  EXPECT_FALSE(c.date);
  EXPECT_EQ(c.info_left, w.row - 40);
  EXPECT_EQ(c.name_right, w.row - 40 - 6);

  w.row = 30 + 6 + 40;  // the size only just stays
  c = LayOutRow(w);
  EXPECT_TRUE(c.size);
  EXPECT_EQ(c.name_right, 30);

  w.row -= 1;  // then the name has the whole row
  c = LayOutRow(w);
  EXPECT_FALSE(c.size);
  EXPECT_FALSE(c.date);
  EXPECT_EQ(c.name_right, w.row);

  w.row = -5;  // a window sized to nothing
  c = LayOutRow(w);
  EXPECT_FALSE(c.size);
  EXPECT_EQ(c.name_right, 0);
}

}  // namespace
