#include "view/view_window_fit.h"

#include <algorithm>

#include "app/window_placement.h"
#include "view/view_arithmetic.h"

namespace {

bool MovesLeftSide(SizingEdge edge) {
  return edge == SizingEdge::kLeft || edge == SizingEdge::kTopLeft ||
         edge == SizingEdge::kBottomLeft;
}

bool MovesRightSide(SizingEdge edge) {
  return edge == SizingEdge::kRight || edge == SizingEdge::kTopRight ||
         edge == SizingEdge::kBottomRight;
}

bool MovesTopSide(SizingEdge edge) {
  return edge == SizingEdge::kTop || edge == SizingEdge::kTopLeft ||
         edge == SizingEdge::kTopRight;
}

bool MovesBottomSide(SizingEdge edge) {
  return edge == SizingEdge::kBottom || edge == SizingEdge::kBottomLeft ||
         edge == SizingEdge::kBottomRight;
}

bool IsCorner(SizingEdge edge) {
  return edge == SizingEdge::kTopLeft || edge == SizingEdge::kTopRight ||
         edge == SizingEdge::kBottomLeft || edge == SizingEdge::kBottomRight;
}

int32_t Sum(int32_t a, int32_t b) { return SaturateToInt32(int64_t{a} + b); }

int32_t Difference(int32_t a, int32_t b) { return SaturateToInt32(int64_t{a} - b); }

// Gives the window `size` by moving whichever sides the edge drags; the
// others stay where they are.
ScreenRect ResizeFromEdge(const ScreenRect& proposed, SizingEdge edge, ViewSize size) {
  ScreenRect window = proposed;
  if (MovesLeftSide(edge)) window.left = Difference(window.right, size.width);
  if (MovesRightSide(edge)) window.right = Sum(window.left, size.width);
  if (MovesTopSide(edge)) window.top = Difference(window.bottom, size.height);
  if (MovesBottomSide(edge)) window.bottom = Sum(window.top, size.height);
  return window;
}

ViewSize RectSize(const ScreenRect& rect) {
  return {Difference(rect.right, rect.left), Difference(rect.bottom, rect.top)};
}

}  // namespace

int32_t MinimumClientExtent(bool title_bar_shown, int32_t minimum_client_width) {
  return title_bar_shown ? std::max(minimum_client_width, int32_t{1}) : 1;
}

ViewSize WindowContentSize(ViewSize scaled, bool title_bar_shown, int32_t minimum_client_width) {
  if (!title_bar_shown) return scaled;
  return {std::max(scaled.width, minimum_client_width),
          std::max(scaled.height, minimum_client_width)};
}

ScreenRect FitWindow(const WindowFitRequest& request) {
  const ViewSize content =
      WindowContentSize(request.scaled, request.title_bar_shown, request.minimum_client_width);
  const ViewSize frame = RectSize(request.frame);
  const int32_t left =
      Sum(Difference(request.client_centre.x, content.width / 2), request.frame.left);
  const int32_t top =
      Sum(Difference(request.client_centre.y, content.height / 2), request.frame.top);
  return FitToWorkArea(left, top, Sum(content.width, frame.width),
                       Sum(content.height, frame.height), request.area);
}

ScreenRect LimitSideDrag(const ScreenRect& proposed, SizingEdge edge, ViewSize fitted_window) {
  if (IsCorner(edge)) return proposed;
  const ViewSize wanted = RectSize(proposed);
  const ViewSize limited{std::min(wanted.width, fitted_window.width),
                         std::min(wanted.height, fitted_window.height)};
  return ResizeFromEdge(proposed, edge, limited);
}

ViewSize AspectClientSize(ViewSize proposed_client, ViewSize image, int32_t minimum_extent) {
  const int64_t sum = std::clamp<int64_t>(
      int64_t{proposed_client.width} + proposed_client.height, 0, INT32_MAX);
  const int64_t image_width = std::max(image.width, int32_t{1});
  const int64_t image_height = std::max(image.height, int32_t{1});
  const int64_t height = DivideRoundingHalfAway(image_height * sum, image_width + image_height);
  return {std::max(static_cast<int32_t>(sum - height), minimum_extent),
          std::max(static_cast<int32_t>(height), minimum_extent)};
}

ScreenRect KeepAspectOnCornerDrag(const ScreenRect& proposed, SizingEdge edge,
                                  const WindowFrame& frame, ViewSize image,
                                  int32_t minimum_extent) {
  if (!IsCorner(edge)) return proposed;
  const ViewSize frame_size = RectSize(frame);
  const ViewSize window = RectSize(proposed);
  const ViewSize client = AspectClientSize(
      {Difference(window.width, frame_size.width), Difference(window.height, frame_size.height)},
      image, minimum_extent);
  return ResizeFromEdge(
      proposed, edge,
      {Sum(client.width, frame_size.width), Sum(client.height, frame_size.height)});
}
