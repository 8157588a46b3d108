// Where an image lands in a client area: the geometry record shared by the
// view window, full screen and the edit window's panes, and the arithmetic
// that keeps it consistent after zooming, resizing and panning.
#pragma once

#include <cstdint>

constexpr double kZoomMinimum = 0.01;
constexpr double kZoomMaximum = 16.0;

// A width and height: of an image, a client area or an available area.
struct ViewSize {
  int32_t width = 0, height = 0;
};

// A pointer position, in client or screen pixels as the caller says.
struct ViewPoint {
  int32_t x = 0, y = 0;
};

// One image view. Destination values are client pixels; source values are
// image pixels with rows counted from the top.
struct ViewGeometry {
  int32_t destination_x = 0, destination_y = 0;
  int32_t destination_width = 0, destination_height = 0;
  int32_t source_x = 0, source_y = 0;
  int32_t source_width = 0, source_height = 0;
  int32_t centre_x = 0, centre_y = 0;
  int32_t client_width = 0, client_height = 0;
  int32_t scaled_width = 1, scaled_height = 1;
  double zoom = 1.0;
};

// The zoom limited to 0.01 ... 16; a value that is not a number becomes the
// minimum, so no later division meets it.
double ClampZoom(double zoom);

// trunc(extent x zoom + 0.5), at least 1 and at most INT32_MAX.
int32_t ScaledExtent(int32_t image_extent, double zoom);

// Sets the zoom (clamped) and the scaled size that goes with it.
void SetZoom(ViewGeometry& geometry, ViewSize image, double zoom);

// One axis of a layout.
struct AxisLayout {
  int32_t destination = 0, destination_extent = 0;
  int32_t source = 0, source_extent = 0;
  int32_t centre = 0;
};

// Crops around `centre` when the scaled image is larger than the client,
// else centres the whole image in the client; the centre follows the crop.
AxisLayout LayOutAxis(int32_t image_extent, int32_t client_extent, int32_t scaled_extent,
                      double zoom, int32_t centre);

// Takes the client size and recomputes destination, source and centre from
// the zoom, scaled size and centre already in the record.
void LayOutView(ViewGeometry& geometry, ViewSize image, ViewSize client);

// Moves the shown part by (dx, dy) image pixels, never past the image's
// edges, and recentres.
void PanBy(ViewGeometry& geometry, ViewSize image, int32_t dx, int32_t dy);

// The image column (row) under a client x (y): the client pixel's centre
// is mapped into the image, rounded half away from zero and clamped into
// the image; 0 when nothing is drawn on that axis.
int32_t ImageColumnAt(int32_t client_x, const ViewGeometry& geometry, ViewSize image);
int32_t ImageRowAt(int32_t client_y, const ViewGeometry& geometry, ViewSize image);

// Both coordinates of the image pixel under a client point.
ViewPoint ImagePointAt(ViewPoint client_point, const ViewGeometry& geometry, ViewSize image);
