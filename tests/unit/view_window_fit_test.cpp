// The view window sized around the scaled image and held to it while the
// user drags its edges and corners.
#include "view/view_window_fit.h"

#include <gtest/gtest.h>

#include "tests/unit/screen_rect_support.h"

namespace {

const WindowFrame kCaptionFrame{-8, -31, 8, 8};  // 16 x 39
const ScreenRect kWorkArea{0, 0, 1920, 1040};
constexpr int32_t kMinimumClientWidth = 100;

WindowFitRequest Request(ViewPoint centre, ViewSize scaled, bool title_bar_shown = true) {
  WindowFitRequest request;
  request.client_centre = centre;
  request.scaled = scaled;
  request.frame = title_bar_shown ? kCaptionFrame : WindowFrame{};
  request.title_bar_shown = title_bar_shown;
  request.minimum_client_width = kMinimumClientWidth;
  request.area = kWorkArea;
  return request;
}

TEST(ViewWindowFit, KeepsTheClientCentre) {
  // 960 - 200 - 8 and 520 - 150 - 31; window 416 x 339.
  EXPECT_EQ(FitWindow(Request({960, 520}, {400, 300})), (ScreenRect{752, 339, 1168, 678}));
  EXPECT_EQ(FitWindow(Request({960, 520}, {401, 301})), (ScreenRect{752, 339, 1169, 679}));
  EXPECT_EQ(FitWindow(Request({960, 520}, {401, 301}, false)),
            (ScreenRect{760, 370, 1161, 671}));
  // A tiny image still gets a window the title bar can live with; without
  // the title bar it need not.
  EXPECT_EQ(FitWindow(Request({960, 520}, {10, 10})), (ScreenRect{902, 439, 1018, 578}));
  EXPECT_EQ(FitWindow(Request({960, 520}, {10, 10}, false)), (ScreenRect{955, 515, 965, 525}));
}

TEST(ViewWindowFit, PlacementAtTheAreaEdges) {
  // Overhanging the right and bottom: moved back inside.
  EXPECT_EQ(FitWindow(Request({1800, 1000}, {400, 300})), (ScreenRect{1504, 701, 1920, 1040}));
  // Exactly on the left and top edges: stays.
  EXPECT_EQ(FitWindow(Request({208, 181}, {400, 300})), (ScreenRect{0, 0, 416, 339}));
  // One pixel past them: snaps back.
  EXPECT_EQ(FitWindow(Request({207, 180}, {400, 300})), (ScreenRect{0, 0, 416, 339}));
  // Larger than the area: the area's size, at its corner.
  EXPECT_EQ(FitWindow(Request({960, 520}, {4000, 3000})), kWorkArea);

  WindowFitRequest left_monitor = Request({-640, 512}, {400, 300});
  left_monitor.area = ScreenRect{-1280, 0, 0, 1024};
  EXPECT_EQ(FitWindow(left_monitor), (ScreenRect{-848, 331, -432, 670}));
  left_monitor.client_centre = {-100, 512};
  EXPECT_EQ(FitWindow(left_monitor).right, 0);
}

TEST(ViewWindowFit, SideDragStopsAtTheFittedSize) {
  const ViewSize fitted{416, 339};
  const ScreenRect window{100, 100, 516, 439};
  EXPECT_EQ(LimitSideDrag({100, 100, 600, 439}, SizingEdge::kRight, fitted), window);
  EXPECT_EQ(LimitSideDrag({0, 100, 516, 439}, SizingEdge::kLeft, fitted), window);
  EXPECT_EQ(LimitSideDrag({100, 100, 516, 900}, SizingEdge::kBottom, fitted), window);
  // Shrinking is free; corners are another rule.
  EXPECT_EQ(LimitSideDrag({100, 100, 300, 439}, SizingEdge::kRight, fitted),
            (ScreenRect{100, 100, 300, 439}));
  EXPECT_EQ(LimitSideDrag({0, 0, 516, 439}, SizingEdge::kTopLeft, fitted),
            (ScreenRect{0, 0, 516, 439}));
}

TEST(ViewWindowFit, CornerDragKeepsTheImageAspect) {
  // 500 + 300 = 800 split 4 : 3 gives a height of 342.86, so 343 and 457.
  const ViewSize client = AspectClientSize({500, 300}, {400, 300}, 1);
  EXPECT_EQ(client.width, 457);
  EXPECT_EQ(client.height, 343);
  // A half rounds up.
  EXPECT_EQ(AspectClientSize({401, 400}, {10, 10}, 1).height, 401);
  // A zero-sized image splits as a square, never dividing by zero.
  EXPECT_EQ(AspectClientSize({300, 100}, {0, 0}, 1).width, 200);
  // Each side stays at the minimum.
  const ViewSize thin = AspectClientSize({600, 100}, {1000, 10}, 100);
  EXPECT_EQ(thin.height, 100);
  EXPECT_EQ(thin.width, 693);
  EXPECT_EQ(AspectClientSize({-50, -50}, {4, 3}, 1).width, 1);

  // The opposite corner stays put; the frame is added back.
  const ScreenRect proposed{100, 100, 616, 439};  // client 500 x 300
  EXPECT_EQ(KeepAspectOnCornerDrag(proposed, SizingEdge::kBottomRight, kCaptionFrame,
                                   {400, 300}, 100),
            (ScreenRect{100, 100, 573, 482}));
  EXPECT_EQ(KeepAspectOnCornerDrag(proposed, SizingEdge::kTopLeft, kCaptionFrame, {400, 300},
                                   100),
            (ScreenRect{143, 57, 616, 439}));
  EXPECT_EQ(KeepAspectOnCornerDrag(proposed, SizingEdge::kRight, kCaptionFrame, {400, 300}, 100),
            proposed);
}

}  // namespace
