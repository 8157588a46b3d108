// The navigator's thumbnail, frame, pan and zoom slider, and its place.
#include "view/navigator_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

ViewGeometry Shown(int32_t x, int32_t y, int32_t width, int32_t height) {
  ViewGeometry g;
  g.source_x = x;
  g.source_y = y;
  g.source_width = width;
  g.source_height = height;
  return g;
}

void ExpectRect(NavigatorRect r, int32_t left, int32_t top, int32_t width, int32_t height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

TEST(NavigatorGeometry, ScaleIsTheSmallerOfHeightAndWidthRatios) {
  // 3000 x 500: 160 / 3000 beats 120 / 500.
  EXPECT_DOUBLE_EQ(NavigatorScaleOf({3000, 500}).value(), 160.0 / 3000);
  // 500 x 3000: 120 / 3000 beats 160 / 500.
  EXPECT_DOUBLE_EQ(NavigatorScaleOf({500, 3000}).value(), 120.0 / 3000);
  // 4:3 fills the client both ways.
  EXPECT_DOUBLE_EQ(NavigatorScaleOf({800, 600}).value(), 0.2);
  // Small images are enlarged.
  EXPECT_DOUBLE_EQ(NavigatorScaleOf({16, 16}).value(), 7.5);
}

TEST(NavigatorGeometry, ThumbnailIsCentredAlongTheShorterSide) {
  ExpectRect(NavigatorThumbnail({3000, 500}), 0, 47, 160, 26);   // 500 x 160/3000 = 26.67
  ExpectRect(NavigatorThumbnail({500, 3000}), 70, 0, 20, 120);   // 500 x 120/3000 = 20
  ExpectRect(NavigatorThumbnail({800, 600}), 0, 0, 160, 120);
  ExpectRect(NavigatorThumbnail({16, 16}), 20, 0, 120, 120);
  // Widths that a floating scale would truncate one short.
  ExpectRect(NavigatorThumbnail({3, 1}), 0, 33, 160, 53);
  ExpectRect(NavigatorThumbnail({7, 49}), 71, 0, 17, 120);
}

TEST(NavigatorGeometry, ExtremeAndMissingImagesStayInsideTheClient) {
  ExpectRect(NavigatorThumbnail({1, 65535}), 79, 0, 1, 120);
  ExpectRect(NavigatorThumbnail({65535, 1}), 0, 59, 160, 1);
  ExpectRect(NavigatorThumbnail({INT32_MAX, INT32_MAX}), 20, 0, 120, 120);
  ExpectRect(NavigatorThumbnail({0, 0}), 0, 0, 0, 0);
  ExpectRect(NavigatorThumbnail({-5, 100}), 0, 0, 0, 0);
  EXPECT_FALSE(NavigatorScaleOf({100, 0}).valid());
  ExpectRect(NavigatorFrame({0, 0}, Shown(10, 10, 10, 10)), 0, 0, 0, 0);
  EXPECT_EQ(NavigatorPanDelta({0, 0}, {50, 50}).x, 0);
}

TEST(NavigatorGeometry, FrameIsTheSourceRectangleScaledFromTheThumbnailOrigin) {
  // 3000 x 500, s = 160/3000: a 900 x 500 view at x 1500.
  ExpectRect(NavigatorFrame({3000, 500}, Shown(1500, 0, 900, 500)), 80, 47, 48, 26);
  // Tall image, s = 0.04: thumbnail at x 70.
  ExpectRect(NavigatorFrame({500, 3000}, Shown(100, 2000, 400, 1000)), 74, 80, 16, 40);
  // The whole of a huge image in view.
  ExpectRect(NavigatorFrame({INT32_MAX, INT32_MAX}, Shown(0, 0, INT32_MAX, INT32_MAX)),
             20, 0, 120, 120);
}

TEST(NavigatorGeometry, PanDeltaIsTheMovementOverTheScaleRounded) {
  // s = 0.2: one navigator pixel is five image pixels.
  EXPECT_EQ(NavigatorPanDelta({800, 600}, {10, -3}).x, 50);
  EXPECT_EQ(NavigatorPanDelta({800, 600}, {10, -3}).y, -15);
  // s = 160/3000: 3 pixels are 56.25 image pixels, 5 are 93.75.
  EXPECT_EQ(NavigatorPanDelta({3000, 500}, {3, 5}).x, 56);
  EXPECT_EQ(NavigatorPanDelta({3000, 500}, {3, 5}).y, 94);
  EXPECT_EQ(NavigatorPanDelta({3000, 500}, {-3, -5}).y, -94);
  // s = 7.5: 4 / 7.5 = 0.53 rounds up, 3 / 7.5 = 0.4 down.
  EXPECT_EQ(NavigatorPanDelta({16, 16}, {4, 3}).x, 1);
  EXPECT_EQ(NavigatorPanDelta({16, 16}, {4, 3}).y, 0);
  // s = 2: halves round away from zero.
  EXPECT_EQ(NavigatorPanDelta({80, 60}, {1, -1}).x, 1);
  EXPECT_EQ(NavigatorPanDelta({80, 60}, {1, -1}).y, -1);
  EXPECT_EQ(NavigatorPanDelta({80, 60}, {3, -3}).x, 2);
  EXPECT_EQ(NavigatorPanDelta({80, 60}, {3, -3}).y, -2);
  // s = 120 / 65535: the largest movement stays in range.
  EXPECT_EQ(NavigatorPanDelta({1, 65535}, {120, 0}).x, 65535);
  // A pointer far outside over the widest image cannot overflow.
  EXPECT_EQ(NavigatorPanDelta({INT32_MAX, 1}, {INT32_MAX, INT32_MIN}).x, 1 << 30);
  EXPECT_EQ(NavigatorPanDelta({INT32_MAX, 1}, {INT32_MAX, INT32_MIN}).y, -(1 << 30));
}

TEST(NavigatorGeometry, SliderPositionOfAZoom) {
  struct Case {
    double zoom;
    int32_t position;
  };
  const Case cases[] = {
      {0.01, 0}, {16.0, 400},
      {1.0, 100},   // sqrt(0.99 / 15.99) x 400 = 99.53
      {4.0, 200},   // sqrt(3.99 / 15.99) x 400 = 199.81
      {0.02, 10},   // sqrt(0.01 / 15.99) x 400 = 10.003
      {100.0, 400}, {-1.0, 0}, {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ZoomSliderPositionOf(c.zoom), c.position) << c.zoom;
}

TEST(NavigatorGeometry, SliderOffsetAddsTheSidewaysDistanceInTheDirectionOfTravel) {
  const ViewPoint press{80, 60};
  EXPECT_EQ(ZoomSliderOffset(press, {80, 50}), 10);    // up 10
  EXPECT_EQ(ZoomSliderOffset(press, {70, 50}), 20);    // up 10, 10 aside
  EXPECT_EQ(ZoomSliderOffset(press, {95, 50}), 25);
  EXPECT_EQ(ZoomSliderOffset(press, {80, 70}), -10);   // down 10
  EXPECT_EQ(ZoomSliderOffset(press, {60, 70}), -30);
  EXPECT_EQ(ZoomSliderOffset(press, {0, 60}), 0);      // level: sideways alone does nothing
  EXPECT_EQ(ZoomSliderOffset({INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}),
            int64_t{UINT32_MAX} * 2);
}

TEST(NavigatorGeometry, SliderPositionIsClampedToItsTrack) {
  EXPECT_EQ(ZoomSliderPosition(100, {80, 60}, {80, 10}), 150);
  EXPECT_EQ(ZoomSliderPosition(100, {80, 60}, {80, 160}), 0);
  EXPECT_EQ(ZoomSliderPosition(390, {80, 60}, {0, 40}), 400);
  EXPECT_EQ(ZoomSliderPosition(0, {0, 0}, {INT32_MIN, INT32_MAX}), 0);
  EXPECT_EQ(ZoomSliderPosition(0, {0, INT32_MAX}, {INT32_MIN, INT32_MIN}), 400);
}

TEST(NavigatorGeometry, ZoomOfASliderPosition) {
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(0), 0.01);
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(400), 16.0);
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(200), 0.25 * 15.99 + 0.01);
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(100), 0.0625 * 15.99 + 0.01);
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(-7), 0.01);
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(9000), 16.0);
  // Position and zoom agree both ways at the whole quarters.
  EXPECT_EQ(ZoomSliderPositionOf(ZoomAtSliderPosition(300)), 300);
}

TEST(NavigatorGeometry, RightDragStraightUpBy400PixelsFromTheSmallestZoomReaches16) {
  const int32_t start = ZoomSliderPositionOf(0.01);
  const int32_t p = ZoomSliderPosition(start, {80, 500}, {80, 100});
  EXPECT_DOUBLE_EQ(ZoomAtSliderPosition(p), 16.0);
}

NavigatorPlacementRequest Request(NavigatorSite site) {
  NavigatorPlacementRequest r;
  r.site = site;
  r.window = {100, 50, 700, 550};
  r.client = {108, 80, 692, 542};
  r.work_area = {0, 0, 1920, 1040};
  r.size = {166, 126};
  return r;
}

void ExpectPoint(ViewPoint p, int32_t x, int32_t y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
}

TEST(NavigatorGeometry, ViewWindowPlacesItAgainstTheRightEdge) {
  NavigatorPlacementRequest r = Request(NavigatorSite::kViewWindow);
  ExpectPoint(NavigatorPlacement(r), 700, 80);
  r.by_hover = true;
  ExpectPoint(NavigatorPlacement(r), 620, 80);
  // A window at the work area's right edge keeps the navigator on it.
  r.window = {1500, 50, 1900, 550};
  r.by_hover = false;
  ExpectPoint(NavigatorPlacement(r), 1920 - 166, 80);
  r.by_hover = true;
  ExpectPoint(NavigatorPlacement(r), 1920 - 166, 80);
}

TEST(NavigatorGeometry, EditWindowPlacesItAtThePaneAreaRightEdge) {
  NavigatorPlacementRequest r = Request(NavigatorSite::kEditWindow);
  r.client = {108, 110, 692, 542};  // the pane area, under the tool strip
  ExpectPoint(NavigatorPlacement(r), 692, 110);
  r.inside_panes = true;
  ExpectPoint(NavigatorPlacement(r), 692 - 166, 110);
  r.inside_panes = false;
  r.client.right = 1850;
  ExpectPoint(NavigatorPlacement(r), 1920 - 166, 110);
}

TEST(NavigatorGeometry, FullScreenPlacesItInTheTopRightCornerUnderTheBar) {
  NavigatorPlacementRequest r = Request(NavigatorSite::kFullScreen);
  r.window = r.client = {0, 0, 1920, 1080};
  ExpectPoint(NavigatorPlacement(r), 1920 - 166, 0);
  r.bar_shown = true;
  ExpectPoint(NavigatorPlacement(r), 1920 - 166, 24);
  // A task bar along the right edge narrows the work area.
  r.work_area = {0, 0, 1860, 1080};
  ExpectPoint(NavigatorPlacement(r), 1860 - 166, 24);
}

TEST(NavigatorGeometry, PlacementSurvivesEdgesAtTheEndsOfTheRange) {
  NavigatorPlacementRequest r = Request(NavigatorSite::kViewWindow);
  r.window.right = INT32_MAX;
  r.work_area.right = INT32_MAX;
  ExpectPoint(NavigatorPlacement(r), INT32_MAX - 166, 80);
  r.work_area.right = INT32_MIN;
  ExpectPoint(NavigatorPlacement(r), INT32_MIN, 80);
}

}  // namespace
