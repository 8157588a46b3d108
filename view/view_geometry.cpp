#include "view/view_geometry.h"

#include <algorithm>

#include "view/view_arithmetic.h"

namespace {

// The first shown pixel, kept so the shown part never passes either edge of
// the image. An image smaller than the shown part pins it to 0.
int32_t ClampSourceStart(int64_t start, int32_t image_extent, int32_t source_extent) {
  const int64_t last_start = std::max<int64_t>(int64_t{image_extent} - source_extent, 0);
  return static_cast<int32_t>(std::clamp<int64_t>(start, 0, last_start));
}

int32_t CentreOfSource(int32_t source, int32_t source_extent) {
  return source + source_extent / 2;
}

AxisLayout CroppedAxis(int32_t image_extent, int32_t client_extent, double zoom,
                       int32_t centre) {
  AxisLayout axis;
  axis.destination = 0;
  axis.destination_extent = client_extent;
  // Only an inconsistent record (scaled size not matching the zoom) could
  // ask for more than the image has.
  axis.source_extent =
      std::min(TruncateToInt32(client_extent / ClampZoom(zoom) + 0.5), image_extent);
  axis.source = ClampSourceStart(int64_t{centre} - axis.source_extent / 2, image_extent,
                                 axis.source_extent);
  return axis;
}

// Only called with client_extent >= scaled_extent >= 1.
AxisLayout WholeAxis(int32_t image_extent, int32_t client_extent, int32_t scaled_extent) {
  AxisLayout axis;
  axis.destination_extent = scaled_extent;
  axis.destination = (client_extent - scaled_extent) / 2;
  axis.source = 0;
  axis.source_extent = image_extent;
  return axis;
}

AxisLayout HorizontalAxis(const ViewGeometry& g) {
  return {g.destination_x, g.destination_width, g.source_x, g.source_width, g.centre_x};
}

AxisLayout VerticalAxis(const ViewGeometry& g) {
  return {g.destination_y, g.destination_height, g.source_y, g.source_height, g.centre_y};
}

void StoreHorizontalAxis(ViewGeometry& g, const AxisLayout& axis) {
  g.destination_x = axis.destination;
  g.destination_width = axis.destination_extent;
  g.source_x = axis.source;
  g.source_width = axis.source_extent;
  g.centre_x = axis.centre;
}

void StoreVerticalAxis(ViewGeometry& g, const AxisLayout& axis) {
  g.destination_y = axis.destination;
  g.destination_height = axis.destination_extent;
  g.source_y = axis.source;
  g.source_height = axis.source_extent;
  g.centre_y = axis.centre;
}

void PanAxis(AxisLayout& axis, int32_t image_extent, int32_t delta) {
  axis.source = ClampSourceStart(int64_t{axis.source} + delta, image_extent, axis.source_extent);
  axis.centre = CentreOfSource(axis.source, axis.source_extent);
}

// Maps the centre of client pixel p to the image: source x (p - dest) /
// dest shifted by half a pixel of each scale, over the destination width.
int32_t ImageCoordinateAt(int32_t p, const AxisLayout& axis, int32_t image_extent) {
  if (axis.destination_extent <= 0) return 0;
  const int64_t numerator =
      int64_t{axis.source_extent} * (int64_t{p} - axis.destination) -
      (int64_t{axis.destination_extent} - axis.source_extent) / 2;
  const int64_t coordinate =
      DivideRoundingHalfAway(numerator, axis.destination_extent) + axis.source;
  return static_cast<int32_t>(
      std::clamp<int64_t>(coordinate, 0, std::max<int64_t>(int64_t{image_extent} - 1, 0)));
}

}  // namespace

double ClampZoom(double zoom) {
  if (!(zoom >= kZoomMinimum)) return kZoomMinimum;
  return std::min(zoom, kZoomMaximum);
}

int32_t ScaledExtent(int32_t image_extent, double zoom) {
  return std::max(TruncateToInt32(image_extent * zoom + 0.5), int32_t{1});
}

void SetZoom(ViewGeometry& geometry, ViewSize image, double zoom) {
  geometry.zoom = ClampZoom(zoom);
  geometry.scaled_width = ScaledExtent(image.width, geometry.zoom);
  geometry.scaled_height = ScaledExtent(image.height, geometry.zoom);
}

AxisLayout LayOutAxis(int32_t image_extent, int32_t client_extent, int32_t scaled_extent,
                      double zoom, int32_t centre) {
  // A negative size (a minimised window, an empty image) is treated as
  // nothing, so no extent below comes out negative.
  const int32_t image = std::max(image_extent, int32_t{0});
  const int32_t client = std::max(client_extent, int32_t{0});
  AxisLayout axis = client < scaled_extent ? CroppedAxis(image, client, zoom, centre)
                                           : WholeAxis(image, client, scaled_extent);
  axis.centre = CentreOfSource(axis.source, axis.source_extent);
  return axis;
}

void LayOutView(ViewGeometry& geometry, ViewSize image, ViewSize client) {
  geometry.client_width = client.width;
  geometry.client_height = client.height;
  StoreHorizontalAxis(geometry, LayOutAxis(image.width, client.width, geometry.scaled_width,
                                           geometry.zoom, geometry.centre_x));
  StoreVerticalAxis(geometry, LayOutAxis(image.height, client.height, geometry.scaled_height,
                                         geometry.zoom, geometry.centre_y));
}

void PanBy(ViewGeometry& geometry, ViewSize image, int32_t dx, int32_t dy) {
  AxisLayout horizontal = HorizontalAxis(geometry);
  AxisLayout vertical = VerticalAxis(geometry);
  PanAxis(horizontal, image.width, dx);
  PanAxis(vertical, image.height, dy);
  StoreHorizontalAxis(geometry, horizontal);
  StoreVerticalAxis(geometry, vertical);
}

int32_t ImageColumnAt(int32_t client_x, const ViewGeometry& geometry, ViewSize image) {
  return ImageCoordinateAt(client_x, HorizontalAxis(geometry), image.width);
}

int32_t ImageRowAt(int32_t client_y, const ViewGeometry& geometry, ViewSize image) {
  return ImageCoordinateAt(client_y, VerticalAxis(geometry), image.height);
}

ViewPoint ImagePointAt(ViewPoint client_point, const ViewGeometry& geometry, ViewSize image) {
  return {ImageColumnAt(client_point.x, geometry, image),
          ImageRowAt(client_point.y, geometry, image)};
}
