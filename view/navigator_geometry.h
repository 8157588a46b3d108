// The navigator's arithmetic: the whole image as a thumbnail in a 160 x 120
// client, the shown part framed in it, a drag in it turned into a pan, the
// zoom slider of the right button, and where the pop-up goes on screen.
#pragma once

#include <cstdint>

#include "app/screen_rect.h"
#include "view/view_geometry.h"

constexpr int32_t kNavigatorClientWidth = 160;
constexpr int32_t kNavigatorClientHeight = 120;
constexpr int32_t kZoomSliderTop = 400;

// A rectangle in navigator client pixels.
struct NavigatorRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

// The thumbnail's scale as an exact fraction: numerator 120 over the image
// height or 160 over the image width, whichever is smaller. Kept as a
// fraction so that a 3000 pixel wide image fills exactly 160 columns and
// not 159 after a rounding error. Zero (numerator 0) without an image.
struct NavigatorScale {
  int64_t numerator = 0, denominator = 1;

  double value() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
  bool valid() const { return numerator > 0 && denominator > 0; }
};

NavigatorScale NavigatorScaleOf(ViewSize image);

// Image size times the scale, truncated but at least one pixel, centred in
// the client along the shorter side. Empty without an image.
NavigatorRect NavigatorThumbnail(ViewSize image);

// The view's source rectangle times the scale, offset by the thumbnail's
// origin. Empty without an image.
NavigatorRect NavigatorFrame(ViewSize image, const ViewGeometry& view);

// Image pixels to pan for a pointer movement of `moved` navigator pixels:
// the movement divided by the scale, rounded to nearest (halves away from
// zero), held within +-2^30 so that the difference of two stays a 32-bit
// value. Zero without an image.
constexpr int32_t kNavigatorPanLimit = 1 << 30;
ViewPoint NavigatorPanDelta(ViewSize image, ViewPoint moved);

// The slider position 0 ... 400 of a zoom: trunc(sqrt((zoom - 0.01) /
// 15.99) x 400 + 0.5), the zoom clamped first.
int32_t ZoomSliderPositionOf(double zoom);

// How far a right drag has moved the slider: with dy the upward movement
// and dx the horizontal distance from the press point, dy + |dx| upward,
// dy - |dx| downward, nothing while level.
int64_t ZoomSliderOffset(ViewPoint press, ViewPoint pointer);

// The start position plus the offset, held within 0 ... 400.
int32_t ZoomSliderPosition(int32_t start, ViewPoint press, ViewPoint pointer);

// (p / 400)^2 x 15.99 + 0.01, held within 0.01 ... 16.
double ZoomAtSliderPosition(int32_t position);

// Where the pop-up goes: the top right of the window in use.
enum class NavigatorSite { kViewWindow, kEditWindow, kFullScreen };

struct NavigatorPlacementRequest {
  NavigatorSite site = NavigatorSite::kViewWindow;
  ScreenRect window;     // the window in use, outer edges
  ScreenRect client;     // its client area; in the edit window the pane area
  ScreenRect work_area;  // of the monitor the window is on
  ViewSize size;         // the navigator's outer size
  bool by_hover = false;      // view window: 80 pixels further left
  bool inside_panes = false;  // edit window with its navigator setting on
  bool bar_shown = false;     // full screen: the top goes under the bar
};

// The navigator's top-left corner on screen; its right edge never passes
// the work area's.
ViewPoint NavigatorPlacement(const NavigatorPlacementRequest& request);
