// The zoom rectangle: a rectangle dragged over the drawn image whose
// contents then fill the available area.
#pragma once

#include <cstdint>

#include "view/view_geometry.h"

// The client point moved onto the drawn image: within destination x ...
// destination x + destination width - 1 (the destination x when nothing is
// drawn), the same for y.
ViewPoint ClampIntoDestination(ViewPoint point, const ViewGeometry& geometry);

// A rectangle counts only when both its width and its height on screen
// exceed the drag threshold.
bool ZoomRectangleExceedsThreshold(ViewPoint anchor, ViewPoint corner, int32_t threshold);

struct ZoomFocus {
  double zoom = 1.0;
  ViewPoint centre;
};

// The zoom that makes the image part between two client corners fill
// `available`, and the centre at that part's middle.
ZoomFocus ZoomRectangleFocus(ViewPoint anchor, ViewPoint corner, const ViewGeometry& geometry,
                             ViewSize image, ViewSize available);
