// Choosing a zoom: fitting an image into an available area, the zoom
// commands, zooming about the pointer and the zoom a new image starts with.
#pragma once

#include <cstdint>

#include "view/view_geometry.h"

constexpr int kCommandZoomFit = 5210;
constexpr int kCommandZoomActualSize = 5220;
constexpr int kCommandZoomIn = 5230;
constexpr int kCommandZoomOut = 5240;
constexpr int kCommandZoom1000 = 5260;
constexpr int kCommandZoom400 = 5261;
constexpr int kCommandZoom200 = 5262;
constexpr int kCommandZoom50 = 5263;
constexpr int kCommandZoom25 = 5264;
constexpr int kCommandZoom10 = 5265;
constexpr int kCommandZoomToggleFit = 5600;
constexpr int kCommandZoomStepIn = 5610;
constexpr int kCommandZoomStepOut = 5611;

// The largest zoom at which the whole image fits `available`, clamped to
// the zoom limits. An image side of zero or less counts as 1.
double FitZoom(ViewSize image, ViewSize available);

bool IsZoomCommand(int command);

struct ZoomTarget {
  double zoom = 1.0;     // what the command sets
  bool changes = false;  // false when the zoom already has that value
};

// What a zoom command does at `zoom`; fitting measures the image against
// `available`. Any other command changes nothing.
ZoomTarget TargetZoom(int command, double zoom, ViewSize image, ViewSize available);

// Whether a zoom command from a mouse binding first moves the centre to
// keep the pixel under the pointer: the fit/100 % toggle does not when it
// is about to fit.
bool ZoomsAboutPointer(int command, double zoom);

// The centre on one axis after zooming from old_zoom to new_zoom so that
// image pixel `pixel` stays where it is on screen.
int32_t ZoomedCentre(int32_t pixel, int32_t centre, double old_zoom, double new_zoom);

// The centre for zooming the record from its zoom to new_zoom about a
// client point.
ViewPoint CentreForPointerZoom(ViewPoint pointer, const ViewGeometry& geometry, ViewSize image,
                               double new_zoom);

// A newly shown image starts at 100 % unless the zoom is kept.
double ZoomForNewImage(double zoom, bool keep_zoom);

// Fits a new image only in the direction the user asked for: small images
// (smaller than `available` both ways at `zoom`) only when enlarging, all
// others only when shrinking. Otherwise `zoom` stays.
double InitialFitZoom(ViewSize image, double zoom, ViewSize available, bool shrink_large,
                      bool enlarge_small);

struct NewImageRule {
  bool keep_zoom = false;
  bool shrink_large = true;
  bool enlarge_small = false;
};

// Zoom and centre for a newly shown image: the zoom reset unless kept, the
// initial fit against `available`, the centre at the image's middle. The
// caller lays out afterwards.
void ShowNewImage(ViewGeometry& geometry, ViewSize image, ViewSize available,
                  const NewImageRule& rule);
