#include "view/view_zoom_rectangle.h"

#include <algorithm>
#include <cstdlib>

#include "view/view_zoom.h"

namespace {

int32_t ClampIntoSpan(int32_t value, int32_t start, int32_t extent) {
  const int64_t last = std::max<int64_t>(int64_t{start} + extent - 1, start);
  return static_cast<int32_t>(std::clamp<int64_t>(value, start, last));
}

int64_t Distance(int32_t a, int32_t b) { return std::llabs(int64_t{a} - b); }

// The image span between two pixel coordinates, as a size to fit; two
// corners on the same pixel span nothing, which fitting counts as 1.
int32_t Span(int32_t a, int32_t b) { return static_cast<int32_t>(Distance(a, b)); }

int32_t Middle(int32_t a, int32_t b) { return static_cast<int32_t>((int64_t{a} + b) / 2); }

}  // namespace

ViewPoint ClampIntoDestination(ViewPoint point, const ViewGeometry& geometry) {
  return {ClampIntoSpan(point.x, geometry.destination_x, geometry.destination_width),
          ClampIntoSpan(point.y, geometry.destination_y, geometry.destination_height)};
}

bool ZoomRectangleExceedsThreshold(ViewPoint anchor, ViewPoint corner, int32_t threshold) {
  return Distance(anchor.x, corner.x) > threshold && Distance(anchor.y, corner.y) > threshold;
}

ZoomFocus ZoomRectangleFocus(ViewPoint anchor, ViewPoint corner, const ViewGeometry& geometry,
                             ViewSize image, ViewSize available) {
  const ViewPoint a = ImagePointAt(anchor, geometry, image);
  const ViewPoint b = ImagePointAt(corner, geometry, image);
  const ViewSize part{Span(a.x, b.x), Span(a.y, b.y)};
  return {FitZoom(part, available), {Middle(a.x, b.x), Middle(a.y, b.y)}};
}
