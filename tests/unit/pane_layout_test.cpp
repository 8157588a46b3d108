// The edit window's panes: their places, the scroll bars a view needs, the
// scroll requests, the arrow step and the eyedropper's readout.
#include <gtest/gtest.h>

#include "image/image_buffer.h"
#include "view/pane_layout.h"
#include "view/view_geometry.h"
#include "view/view_pan.h"

namespace {

TEST(PlacePanes, BothPanesShareTheWidthLessOnePixelEach) {
  PanePlaces both = PlacePanes({801, 500}, 0);
  EXPECT_EQ(both.source.width, 399);
  EXPECT_EQ(both.preview.width, 399);
  EXPECT_EQ(both.source.left, 0);
  EXPECT_EQ(both.preview.left, 801 - 399) << "the preview pane keeps to the right edge";
  EXPECT_TRUE(both.source.shown && both.preview.shown);
  EXPECT_EQ(both.preview.height, 500);

  PanePlaces source = PlacePanes({801, 500}, 1);
  EXPECT_TRUE(source.source.shown);
  EXPECT_FALSE(source.preview.shown);
  EXPECT_EQ(source.source.width, 801);
  PanePlaces preview = PlacePanes({801, 500}, 2);
  EXPECT_FALSE(preview.source.shown);
  EXPECT_EQ(preview.preview.width, 801);
  EXPECT_EQ(PlacePanes({1, 1}, 0).source.width, 0) << "a sliver leaves nothing, never less";
  EXPECT_EQ(PaneClient({2, 3}, 2, 2).width, 1);
  EXPECT_EQ(PaneClient({399, 500}, 2, 2).width, 395);
}

TEST(NeededScrollBars, OneBarCanMakeTheOtherNeeded) {
  PaneScrollBars none = NeededScrollBars({500, 310}, {500, 300}, 17, 16);
  EXPECT_FALSE(none.horizontal || none.vertical);
  EXPECT_EQ(none.client.width, 500);

  PaneScrollBars wide = NeededScrollBars({500, 310}, {501, 300}, 17, 16);
  EXPECT_TRUE(wide.horizontal);
  EXPECT_TRUE(wide.vertical) << "the horizontal bar leaves 294 rows for 300";
  EXPECT_EQ(wide.client.width, 483);
  EXPECT_EQ(wide.client.height, 294);

  PaneScrollBars wide_only = NeededScrollBars({500, 400}, {501, 300}, 17, 16);
  EXPECT_TRUE(wide_only.horizontal);
  EXPECT_FALSE(wide_only.vertical);

  PaneScrollBars tall = NeededScrollBars({500, 310}, {490, 311}, 17, 16);
  EXPECT_TRUE(tall.vertical);
  EXPECT_TRUE(tall.horizontal) << "the vertical bar leaves 483 columns for 490";
  EXPECT_FALSE(NeededScrollBars({500, 310}, {483, 311}, 17, 16).horizontal);
}

TEST(ScrollTarget, RequestsMoveByLinesPagesAndTheThumbWithinTheImage) {
  // Image 1000 pixels, 300 of them shown, at 100.
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineDown, 100, 300, 1000, 0), 120);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineUp, 100, 300, 1000, 0), 80);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineUp, 10, 300, 1000, 0), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageDown, 100, 300, 1000, 0), 400);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageDown, 600, 300, 1000, 0), 700) << "at most image - page";
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageUp, 100, 300, 1000, 0), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kThumbTrack, 100, 300, 1000, 555), 555);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kThumbPosition, 100, 300, 1000, 555), 100);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kTop, 100, 300, 1000, 0), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kBottom, 100, 300, 1000, 0), 700);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineDown, 0, 300, 200, 0), 0) << "all of it is shown";
}

TEST(EditPanStepShift, AWideShortImageStepsSixteenHereAndThirtyTwoInTheViewWindow) {
  ViewSize image = {3000, 500}, screen = {1920, 1080};
  ViewGeometry g;
  g.scaled_width = 3000;
  g.scaled_height = 500;
  g.client_width = 800;
  g.client_height = 600;
  EXPECT_EQ(PanCommandStep(kCommandPanRight, g, EditPanStepShift(image, screen)).dx, 16);
  EXPECT_EQ(PanCommandStep(kCommandPanRight, g, PanStepShift(image, screen)).dx, 32);
  EXPECT_EQ(EditPanStepShift({3000, 2000}, screen), 1);
}

TEST(ColourReadout, TheEyedropperTitle) {
  EXPECT_EQ(ColourReadout(true, 255, 0, 17), u"r:255  g:0  b:17");
  EXPECT_EQ(ColourReadout(false, 1, 2, 3), u"r:-  g:-  b:-");
  ViewGeometry g;
  g.destination_x = 10;
  g.destination_y = 20;
  g.destination_width = 200;  // 100 x 50 image pixels from (30, 40), twice enlarged
  g.destination_height = 100;
  g.source_x = 30;
  g.source_y = 40;
  g.source_width = 100;
  g.source_height = 50;
  ViewPoint pixel;
  ASSERT_TRUE(ImagePixelUnder({10, 20}, g, &pixel));
  EXPECT_EQ(pixel.x, 30);
  EXPECT_EQ(pixel.y, 40);
  ASSERT_TRUE(ImagePixelUnder({209, 119}, g, &pixel));
  EXPECT_EQ(pixel.x, 129);
  EXPECT_EQ(pixel.y, 89);
  EXPECT_FALSE(ImagePixelUnder({210, 50}, g, &pixel));
  EXPECT_FALSE(ImagePixelUnder({9, 50}, g, &pixel));
}

// An 8-bit image is read through its palette; the colour comes back with
// red in the low byte, as the colour boxes take it.
TEST(ColourReadout, ColoursUnderThePointerAtBothDepths) {
  ViewGeometry g;
  g.destination_width = g.source_width = 4;
  g.destination_height = g.source_height = 2;
  ImageBuffer indexed{};
  ASSERT_EQ(AllocatePixels(&indexed, 4, 2, 8), Status::kOk);
  indexed.palette[9] = {30, 20, 10, 0};  // blue, green, red
  RowFromTop(indexed, 1)[2] = 9;
  uint32_t colour = 0;
  ASSERT_TRUE(ColourUnder({2, 1}, g, indexed, &colour));
  EXPECT_EQ(colour, 10u | 20u << 8 | 30u << 16);
  EXPECT_EQ(ColourReadout(true, colour), u"r:10  g:20  b:30");
  EXPECT_FALSE(ColourUnder({4, 1}, g, indexed, &colour));
  ReleasePixels(&indexed);

  ImageBuffer rgb{};
  ASSERT_EQ(AllocatePixels(&rgb, 4, 2, 24), Status::kOk);
  uint8_t* at = RowFromTop(rgb, 0) + 3 * 3;
  at[0] = 1, at[1] = 2, at[2] = 3;
  ASSERT_TRUE(ColourUnder({3, 0}, g, rgb, &colour));
  EXPECT_EQ(colour, 3u | 2u << 8 | 1u << 16);
  ReleasePixels(&rgb);
}

}  // namespace
