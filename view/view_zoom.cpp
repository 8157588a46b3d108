#include "view/view_zoom.h"

#include <algorithm>

#include "view/view_arithmetic.h"

namespace {

constexpr double kZoomStep = 0.1;

double PresetZoom(int command) {
  switch (command) {
    case kCommandZoom1000: return 10.0;
    case kCommandZoom400: return 4.0;
    case kCommandZoom200: return 2.0;
    case kCommandZoom50: return 0.5;
    case kCommandZoom25: return 0.25;
    case kCommandZoom10: return 0.1;
    default: return 1.0;
  }
}

// Commands that are not zoom commands keep the zoom they were given.
double CommandZoom(int command, double zoom, ViewSize image, ViewSize available) {
  switch (command) {
    case kCommandZoomFit: return FitZoom(image, available);
    case kCommandZoomActualSize: return 1.0;
    case kCommandZoomIn: return std::min(zoom * 2.0, kZoomMaximum);
    case kCommandZoomOut: return std::max(zoom * 0.5, kZoomMinimum);
    case kCommandZoomStepIn: return std::min(zoom + kZoomStep, kZoomMaximum);
    case kCommandZoomStepOut: return std::max(zoom - kZoomStep, kZoomMinimum);
    case kCommandZoomToggleFit: return zoom == 1.0 ? FitZoom(image, available) : 1.0;
    default: return IsZoomCommand(command) ? PresetZoom(command) : zoom;
  }
}

double AxisRatio(int32_t available, int32_t image) {
  return static_cast<double>(available) / std::max(image, int32_t{1});
}

}  // namespace

double FitZoom(ViewSize image, ViewSize available) {
  return ClampZoom(std::min(AxisRatio(available.width, image.width),
                            AxisRatio(available.height, image.height)));
}

bool IsZoomCommand(int command) {
  switch (command) {
    case kCommandZoomFit:
    case kCommandZoomActualSize:
    case kCommandZoomIn:
    case kCommandZoomOut:
    case kCommandZoom1000:
    case kCommandZoom400:
    case kCommandZoom200:
    case kCommandZoom50:
    case kCommandZoom25:
    case kCommandZoom10:
    case kCommandZoomToggleFit:
    case kCommandZoomStepIn:
    case kCommandZoomStepOut: return true;
    default: return false;
  }
}

ZoomTarget TargetZoom(int command, double zoom, ViewSize image, ViewSize available) {
  const double target = CommandZoom(command, zoom, image, available);
  return {target, target != zoom};
}

bool ZoomsAboutPointer(int command, double zoom) {
  return IsZoomCommand(command) && !(command == kCommandZoomToggleFit && zoom == 1.0);
}

int32_t ZoomedCentre(int32_t pixel, int32_t centre, double old_zoom, double new_zoom) {
  const double ratio = ClampZoom(old_zoom) / ClampZoom(new_zoom);
  return TruncateToInt32(pixel - ratio * (static_cast<double>(pixel) - centre) + 0.5);
}

ViewPoint CentreForPointerZoom(ViewPoint pointer, const ViewGeometry& geometry, ViewSize image,
                               double new_zoom) {
  const ViewPoint pixel = ImagePointAt(pointer, geometry, image);
  return {ZoomedCentre(pixel.x, geometry.centre_x, geometry.zoom, new_zoom),
          ZoomedCentre(pixel.y, geometry.centre_y, geometry.zoom, new_zoom)};
}

double ZoomForNewImage(double zoom, bool keep_zoom) { return keep_zoom ? zoom : 1.0; }

double InitialFitZoom(ViewSize image, double zoom, ViewSize available, bool shrink_large,
                      bool enlarge_small) {
  const bool small = ScaledExtent(image.width, zoom) < available.width &&
                     ScaledExtent(image.height, zoom) < available.height;
  const bool fit = small ? enlarge_small : shrink_large;
  return fit ? FitZoom(image, available) : zoom;
}

void ShowNewImage(ViewGeometry& geometry, ViewSize image, ViewSize available,
                  const NewImageRule& rule) {
  const double zoom = ZoomForNewImage(geometry.zoom, rule.keep_zoom);
  SetZoom(geometry, image,
          InitialFitZoom(image, zoom, available, rule.shrink_large, rule.enlarge_small));
  geometry.centre_x = image.width / 2;
  geometry.centre_y = image.height / 2;
}
