#include "app/window_placement.h"

#include <algorithm>

namespace {

int32_t ClipExtent(int32_t extent, int32_t available) {
  return std::clamp(extent, int32_t{0}, std::max(available, int32_t{0}));
}

// One axis of FitToWorkArea; `extent` already fits the work area.
int32_t FitStart(int32_t start, int32_t extent, int32_t area_start, int32_t area_end) {
  if (start < area_start) return area_start;
  return std::min(start, area_end - extent);
}

}  // namespace

ScreenRect FitToWorkArea(int32_t left, int32_t top, int32_t width, int32_t height,
                         const ScreenRect& work_area) {
  const int32_t fitted_width = ClipExtent(width, work_area.width());
  const int32_t fitted_height = ClipExtent(height, work_area.height());
  const int32_t fitted_left = FitStart(left, fitted_width, work_area.left, work_area.right);
  const int32_t fitted_top = FitStart(top, fitted_height, work_area.top, work_area.bottom);
  return ScreenRect{fitted_left, fitted_top, fitted_left + fitted_width, fitted_top + fitted_height};
}

ScreenRect CentreInWorkArea(int32_t width, int32_t height, const ScreenRect& work_area) {
  const int32_t left = work_area.left + (work_area.width() - width) / 2;
  const int32_t top = work_area.top + (work_area.height() - height) / 2;
  return ScreenRect{left, top, left + width, top + height};
}
