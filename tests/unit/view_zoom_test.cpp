// Fitting, the zoom commands, zooming about the pointer, the zoom a new
// image starts with, and the zoom rectangle.
#include "view/view_zoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "view/view_pan.h"
#include "view/view_zoom_rectangle.h"

namespace {

const ViewSize kClient{800, 600};

ViewGeometry LaidOut(ViewSize image, double zoom, int32_t centre_x, int32_t centre_y) {
  ViewGeometry g;
  SetZoom(g, image, zoom);
  g.centre_x = centre_x;
  g.centre_y = centre_y;
  LayOutView(g, image, kClient);
  return g;
}

// What the view does for a zoom binding: move the centre about the pointer,
// set the new zoom, lay out again.
ViewGeometry ZoomedAbout(ViewPoint pointer, const ViewGeometry& before, ViewSize image,
                         double new_zoom) {
  ViewGeometry after = before;
  const ViewPoint centre = CentreForPointerZoom(pointer, before, image, new_zoom);
  SetZoom(after, image, new_zoom);
  after.centre_x = centre.x;
  after.centre_y = centre.y;
  LayOutView(after, image, kClient);
  return after;
}

TEST(ViewZoom, FitTakesTheTighterAxis) {
  EXPECT_DOUBLE_EQ(FitZoom({1000, 500}, kClient), 0.8);
  EXPECT_DOUBLE_EQ(FitZoom({100, 300}, kClient), 2.0);
  EXPECT_DOUBLE_EQ(FitZoom({100000, 10}, kClient), 0.01);
  // Sides of zero or less count as 1.
  EXPECT_DOUBLE_EQ(FitZoom({0, 0}, kClient), 16.0);
  EXPECT_DOUBLE_EQ(FitZoom({-5, 100}, kClient), 6.0);
  EXPECT_DOUBLE_EQ(FitZoom({100, 100}, {-800, 600}), 0.01);
}

TEST(ViewZoom, CommandTable) {
  const ViewSize image{1000, 500};  // fits at 0.8
  struct Case {
    int command;
    double from, to;
  };
  const Case cases[] = {
      {kCommandZoomActualSize, 0.3, 1.0}, {kCommandZoomIn, 3.0, 6.0},
      {kCommandZoomIn, 12.0, 16.0},       {kCommandZoomOut, 3.0, 1.5},
      {kCommandZoomOut, 0.015, 0.01},     {kCommandZoom1000, 1.0, 10.0},
      {kCommandZoom400, 1.0, 4.0},        {kCommandZoom200, 1.0, 2.0},
      {kCommandZoom50, 1.0, 0.5},         {kCommandZoom25, 1.0, 0.25},
      {kCommandZoom10, 1.0, 0.1},         {kCommandZoomStepIn, 1.0, 1.1},
      {kCommandZoomStepIn, 15.95, 16.0},  {kCommandZoomStepOut, 1.0, 0.9},
      {kCommandZoomStepOut, 0.05, 0.01},  {kCommandZoomFit, 3.0, 0.8},
      {kCommandZoomToggleFit, 1.0, 0.8},  {kCommandZoomToggleFit, 0.8, 1.0},
      {kCommandZoomToggleFit, 4.0, 1.0},
  };
  for (const Case& c : cases) {
    const ZoomTarget target = TargetZoom(c.command, c.from, image, kClient);
    EXPECT_DOUBLE_EQ(target.zoom, c.to) << c.command << " from " << c.from;
    EXPECT_TRUE(target.changes) << c.command << " from " << c.from;
    EXPECT_TRUE(IsZoomCommand(c.command)) << c.command;
  }
}

TEST(ViewZoom, CommandAtItsTargetDoesNothing) {
  const ViewSize image{1000, 500};
  EXPECT_FALSE(TargetZoom(kCommandZoomIn, 16.0, image, kClient).changes);
  EXPECT_FALSE(TargetZoom(kCommandZoomOut, 0.01, image, kClient).changes);
  EXPECT_FALSE(TargetZoom(kCommandZoom400, 4.0, image, kClient).changes);
  EXPECT_FALSE(TargetZoom(kCommandZoomFit, 0.8, image, kClient).changes);
  // An image that fits exactly at 100 %: the toggle has nowhere to go.
  EXPECT_FALSE(TargetZoom(kCommandZoomToggleFit, 1.0, {800, 300}, kClient).changes);
  EXPECT_FALSE(IsZoomCommand(kCommandPanLeft));
  EXPECT_FALSE(TargetZoom(kCommandPanLeft, 2.0, image, kClient).changes);
  // The toggle about to fit does not zoom about the pointer.
  EXPECT_TRUE(ZoomsAboutPointer(kCommandZoomToggleFit, 2.5));
  EXPECT_FALSE(ZoomsAboutPointer(kCommandZoomToggleFit, 1.0));
}

TEST(ViewZoom, CentreAboutThePointerRounding) {
  // 1000 wide at 300 %: 267 source pixels from 367; client x 407 is over
  // image x 503 (135.5 rounded up, plus 367).
  const ViewSize image{1000, 700};
  const ViewGeometry g = LaidOut(image, 3.0, 500, 350);
  ASSERT_EQ(g.source_x, 367);
  EXPECT_EQ(ImageColumnAt(407, g, image), 503);
  EXPECT_EQ(CentreForPointerZoom({407, 300}, g, image, 1.0).x, 494);  // 503 - 3 x 3 + 0.5

  // Truncation, not flooring, below zero: -256.5 gives -256.
  EXPECT_EQ(ZoomedCentre(99, 10, 4.0, 1.0), -256);
}

// The shown part always starts on a whole image pixel, so the pixel under
// the pointer is kept to within one pixel zooming in, and to within the
// zoom ratio zooming out (the half-pixel errors of the old view grow by it).
TEST(ViewZoom, ZoomKeepsThePixelUnderThePointer) {
  const ViewSize image{4000, 3000};
  const double pairs[][2] = {{1.0, 2.0}, {1.0, 1.1}, {0.7, 3.0}, {2.0, 16.0},
                             {16.0, 8.0}, {4.0, 1.0}, {1.2, 1.1}, {3.0, 0.7}};
  for (const auto& pair : pairs) {
    const int tolerance = std::max(1, static_cast<int>(std::ceil(pair[0] / pair[1])));
    for (int32_t centre : {1400, 1801}) {
      const ViewGeometry before = LaidOut(image, pair[0], centre, centre - 100);
      for (int32_t x = 0; x < 800; x += 41) {
        const ViewPoint pointer{x, 599 - x * 3 / 4};
        const ViewPoint pixel = ImagePointAt(pointer, before, image);
        const ViewPoint kept =
            ImagePointAt(pointer, ZoomedAbout(pointer, before, image, pair[1]), image);
        EXPECT_LE(std::abs(kept.x - pixel.x), tolerance) << pair[0] << " to " << pair[1];
        EXPECT_LE(std::abs(kept.y - pixel.y), tolerance) << pair[0] << " to " << pair[1];
      }
    }
  }
}

TEST(ViewZoom, ZoomingInAtTheImageEdgeKeepsTheEdge) {
  // A 100 x 100 image drawn at (350, 250); the pointer is left of and below
  // it, so it counts as over the first column and the last row.
  const ViewSize image{100, 100};
  const ViewGeometry before = LaidOut(image, 1.0, 50, 50);
  const ViewPoint pointer{10, 590};
  EXPECT_EQ(ImagePointAt(pointer, before, image).x, 0);
  EXPECT_EQ(ImagePointAt(pointer, before, image).y, 99);

  const ViewGeometry after = ZoomedAbout(pointer, before, image, 16.0);
  EXPECT_EQ(after.source_x, 0);
  EXPECT_EQ(after.source_y, 100 - 38);
  EXPECT_EQ(ImagePointAt(pointer, after, image).x, 0);
  EXPECT_EQ(ImagePointAt(pointer, after, image).y, 99);
}

TEST(ViewZoom, InitialFitOnlyInTheChosenDirection) {
  const ViewSize available{800, 600};
  // Small both ways: enlarged only on request.
  EXPECT_DOUBLE_EQ(InitialFitZoom({200, 100}, 1.0, available, true, false), 1.0);
  EXPECT_DOUBLE_EQ(InitialFitZoom({200, 100}, 1.0, available, false, true), 4.0);
  // Larger on one axis, or just as large: shrunk only on request.
  EXPECT_DOUBLE_EQ(InitialFitZoom({1600, 100}, 1.0, available, true, false), 0.5);
  EXPECT_DOUBLE_EQ(InitialFitZoom({1600, 100}, 1.0, available, false, true), 1.0);
  EXPECT_DOUBLE_EQ(InitialFitZoom({400, 300}, 2.0, available, false, true), 2.0);
  // An empty image is small; enlarging it reaches the limit, not infinity.
  EXPECT_DOUBLE_EQ(InitialFitZoom({0, 0}, 1.0, available, false, true), 16.0);
}

TEST(ViewZoom, NewImageResetsZoomUnlessKeptAndCentres) {
  ViewGeometry g;
  SetZoom(g, {100, 100}, 2.5);
  ShowNewImage(g, {301, 201}, kClient, NewImageRule{false, false, false});
  EXPECT_DOUBLE_EQ(g.zoom, 1.0);
  EXPECT_EQ(g.scaled_width, 301);
  EXPECT_EQ(g.centre_x, 150);
  EXPECT_EQ(g.centre_y, 100);

  SetZoom(g, {100, 100}, 2.5);
  ShowNewImage(g, {301, 201}, kClient, NewImageRule{true, true, false});
  EXPECT_DOUBLE_EQ(g.zoom, 2.5);  // 753 x 503 is smaller: no shrinking
  ShowNewImage(g, {400, 201}, kClient, NewImageRule{true, true, false});
  EXPECT_DOUBLE_EQ(g.zoom, 2.0);  // 1000 wide at 2.5: shrunk to fit
  EXPECT_EQ(g.scaled_width, 800);
}

TEST(ViewZoomRectangle, CornersAndThreshold) {
  const ViewGeometry g = LaidOut({100, 100}, 1.0, 50, 50);  // 350..449, 250..349
  EXPECT_EQ(ClampIntoDestination({10, 700}, g).x, 350);
  EXPECT_EQ(ClampIntoDestination({10, 700}, g).y, 349);
  EXPECT_EQ(ClampIntoDestination({450, 249}, g).x, 449);
  EXPECT_EQ(ClampIntoDestination({450, 249}, g).y, 250);

  EXPECT_FALSE(ZoomRectangleExceedsThreshold({100, 100}, {108, 200}, 8));
  EXPECT_FALSE(ZoomRectangleExceedsThreshold({100, 100}, {200, 92}, 8));
  EXPECT_TRUE(ZoomRectangleExceedsThreshold({100, 100}, {109, 109}, 8));
}

TEST(ViewZoomRectangle, RectangleFillsTheAvailableArea) {
  const ViewSize image{1000, 1000};
  const ViewGeometry g = LaidOut(image, 1.0, 500, 500);  // shows 100..899, 200..799
  const ZoomFocus focus = ZoomRectangleFocus({100, 100}, {300, 250}, g, image, kClient);
  EXPECT_DOUBLE_EQ(focus.zoom, 4.0);  // 200 x 150 image pixels into 800 x 600
  EXPECT_EQ(focus.centre.x, 300);
  EXPECT_EQ(focus.centre.y, 375);

  EXPECT_EQ(ZoomRectangleFocus({300, 250}, {100, 100}, g, image, kClient).centre.x, 300);

  const ZoomFocus one_pixel = ZoomRectangleFocus({100, 100}, {100, 100}, g, image, {800, 600});
  EXPECT_DOUBLE_EQ(one_pixel.zoom, 16.0);
}

}  // namespace
