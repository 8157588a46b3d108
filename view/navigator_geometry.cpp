#include "view/navigator_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "view/view_pointer.h"

namespace {

constexpr int32_t kHoverShift = 80;
constexpr int64_t kLargestMovement = int64_t{1} << 24;
constexpr double kZoomSpan = kZoomMaximum - kZoomMinimum;  // 15.99

bool HasImage(ViewSize image) { return image.width > 0 && image.height > 0; }

// extent x scale, truncated; extents are 32-bit and the numerator at most
// 160, so the product fits easily.
int32_t Scaled(int64_t extent, NavigatorScale s) {
  return static_cast<int32_t>(extent * s.numerator / s.denominator);
}

// value / scale rounded half away from zero. The value is a pointer
// movement, held below 2^24 (no screen is that wide), and the denominator
// is below 2^31, so the product fits in 64 bits; the result is held within
// the pan limit.
int32_t Unscaled(int64_t value, NavigatorScale s) {
  const int64_t movement = std::min<int64_t>(std::llabs(value), kLargestMovement);
  int64_t magnitude = (2 * movement * s.denominator + s.numerator) / (2 * s.numerator);
  magnitude = std::min<int64_t>(magnitude, kNavigatorPanLimit);
  return static_cast<int32_t>(value < 0 ? -magnitude : magnitude);
}

int32_t ClampToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

NavigatorScale NavigatorScaleOf(ViewSize image) {
  if (!HasImage(image)) return {0, 1};
  // 120 / height <= 160 / width, compared without division.
  if (int64_t{kNavigatorClientHeight} * image.width <= int64_t{kNavigatorClientWidth} * image.height) {
    return {kNavigatorClientHeight, image.height};
  }
  return {kNavigatorClientWidth, image.width};
}

NavigatorRect NavigatorThumbnail(ViewSize image) {
  NavigatorScale s = NavigatorScaleOf(image);
  if (!s.valid()) return {};
  NavigatorRect r;
  r.width = std::max(1, Scaled(image.width, s));
  r.height = std::max(1, Scaled(image.height, s));
  r.left = (kNavigatorClientWidth - r.width) / 2;
  r.top = (kNavigatorClientHeight - r.height) / 2;
  return r;
}

NavigatorRect NavigatorFrame(ViewSize image, const ViewGeometry& view) {
  NavigatorScale s = NavigatorScaleOf(image);
  if (!s.valid()) return {};
  NavigatorRect thumbnail = NavigatorThumbnail(image);
  NavigatorRect r;
  r.left = thumbnail.left + Scaled(view.source_x, s);
  r.top = thumbnail.top + Scaled(view.source_y, s);
  r.width = Scaled(view.source_width, s);
  r.height = Scaled(view.source_height, s);
  return r;
}

ViewPoint NavigatorPanDelta(ViewSize image, ViewPoint moved) {
  NavigatorScale s = NavigatorScaleOf(image);
  if (!s.valid()) return {};
  return {Unscaled(moved.x, s), Unscaled(moved.y, s)};
}

int32_t ZoomSliderPositionOf(double zoom) {
  double fraction = (ClampZoom(zoom) - kZoomMinimum) / kZoomSpan;
  double position = std::trunc(std::sqrt(std::max(0.0, fraction)) * kZoomSliderTop + 0.5);
  return std::clamp(static_cast<int32_t>(position), 0, kZoomSliderTop);
}

int64_t ZoomSliderOffset(ViewPoint press, ViewPoint pointer) {
  int64_t up = int64_t{press.y} - pointer.y;
  int64_t across = std::llabs(int64_t{pointer.x} - press.x);
  if (up > 0) return up + across;
  if (up < 0) return up - across;
  return 0;
}

int32_t ZoomSliderPosition(int32_t start, ViewPoint press, ViewPoint pointer) {
  int64_t p = int64_t{start} + ZoomSliderOffset(press, pointer);
  return static_cast<int32_t>(std::clamp<int64_t>(p, 0, kZoomSliderTop));
}

double ZoomAtSliderPosition(int32_t position) {
  double p = static_cast<double>(std::clamp(position, 0, kZoomSliderTop)) / kZoomSliderTop;
  return std::clamp(p * p * kZoomSpan + kZoomMinimum, kZoomMinimum, kZoomMaximum);
}

ViewPoint NavigatorPlacement(const NavigatorPlacementRequest& r) {
  int64_t left = 0;
  int64_t top = r.client.top;
  switch (r.site) {
    case NavigatorSite::kViewWindow:
      left = int64_t{r.window.right} - (r.by_hover ? kHoverShift : 0);
      break;
    case NavigatorSite::kEditWindow:
      left = int64_t{r.client.right} - (r.inside_panes ? r.size.width : 0);
      break;
    case NavigatorSite::kFullScreen:
      left = int64_t{r.window.right} - r.size.width;
      if (r.bar_shown) top += kViewBarHeight;
      break;
  }
  left = std::min(left, int64_t{r.work_area.right} - r.size.width);
  return {ClampToInt32(left), ClampToInt32(top)};
}
