#include "view/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kTenthsPerInch = 254;

int32_t Rounded(double value) {
  // Anything a real page can hold fits easily; the clamp only keeps a
  // hostile driver's figures from overflowing.
  return static_cast<int32_t>(std::lround(std::clamp(value, -1e9, 1e9)));
}

int32_t AtLeastOne(int32_t value) { return std::max<int32_t>(value, 1); }

// Keeps `start` within 0 ... limit - length.
int32_t HeldStart(int32_t start, int32_t length, int32_t limit) {
  return std::clamp<int32_t>(start, 0, std::max<int32_t>(limit - length, 0));
}

// One direction of the fill crop: the whole `length` of the image unless
// `cropped`, in which case `part` of it starts centred the first time.
void CropDirection(bool cropped, int32_t length, int32_t part, int32_t* start, int32_t* size,
                   bool* placed) {
  if (!cropped) {
    *start = 0;
    *size = length;
    return;
  }
  *size = std::clamp<int32_t>(part, 1, length);
  if (!*placed) {
    *start = Rounded((length - *size) * 0.5);
    *placed = true;
  }
  *start = HeldStart(*start, *size, length);
}

// One direction of the fit into the printable area: the first size that is
// too large becomes the whole printable length with the start at 0; else a
// start that would run off the end moves in.
bool FitDirection(int32_t printable, int32_t* start, int32_t* size) {
  *start = std::max<int32_t>(*start, 0);
  if (*size > printable) {
    *start = 0;
    *size = printable;
    return true;
  }
  if (*start + *size > printable) *start = printable - *size;
  return false;
}

PlacementGrip OppositeCorner(PlacementGrip corner) {
  switch (corner) {
    case PlacementGrip::kTopLeft: return PlacementGrip::kBottomRight;
    case PlacementGrip::kTopRight: return PlacementGrip::kBottomLeft;
    case PlacementGrip::kBottomLeft: return PlacementGrip::kTopRight;
    case PlacementGrip::kBottomRight: return PlacementGrip::kTopLeft;
    default: return corner;
  }
}

bool IsLeftCorner(PlacementGrip g) {
  return g == PlacementGrip::kTopLeft || g == PlacementGrip::kBottomLeft;
}
bool IsTopCorner(PlacementGrip g) {
  return g == PlacementGrip::kTopLeft || g == PlacementGrip::kTopRight;
}

bool Contains(const PrintRect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

}  // namespace

int32_t TenthsToDevice(int32_t tenths, int32_t dpi) {
  return Rounded(static_cast<double>(tenths) * dpi / kTenthsPerInch);
}

int32_t DeviceToTenths(int32_t pixels, int32_t dpi) {
  return Rounded(static_cast<double>(pixels) * kTenthsPerInch / std::max(dpi, 1));
}

PrinterMetrics HeldPrinterMetrics(const PrinterMetrics& reported) {
  PrinterMetrics m = reported;
  m.dpi_x = std::max<int32_t>(m.dpi_x, 2);
  m.dpi_y = std::max<int32_t>(m.dpi_y, 2);
  m.paper_width = AtLeastOne(m.paper_width);
  m.paper_height = AtLeastOne(m.paper_height);
  m.printable_width = AtLeastOne(m.printable_width);
  m.printable_height = AtLeastOne(m.printable_height);
  return m;
}

PreviewFit FitPageIntoPreview(const PrinterMetrics& metrics, int32_t area_width,
                              int32_t area_height) {
  area_width = AtLeastOne(area_width);
  area_height = AtLeastOne(area_height);
  PreviewFit fit;
  // Cross-multiplied: is the area relatively taller than the paper?
  bool area_taller = static_cast<int64_t>(area_height) * metrics.paper_width >
                     static_cast<int64_t>(metrics.paper_height) * area_width;
  if (area_taller) {
    fit.scale = static_cast<double>(area_width) / metrics.paper_width;
  } else {
    fit.scale = static_cast<double>(area_height) / metrics.paper_height;
  }
  fit.page.width = AtLeastOne(Rounded(metrics.paper_width * fit.scale));
  fit.page.height = AtLeastOne(Rounded(metrics.paper_height * fit.scale));
  fit.page.left = area_taller ? 0 : (area_width - fit.page.width) / 2;
  fit.page.top = area_taller ? (area_height - fit.page.height) / 2 : 0;
  fit.printable_left = Rounded(metrics.offset_x * fit.scale) + fit.page.left;
  fit.printable_top = Rounded(metrics.offset_y * fit.scale) + fit.page.top;
  return fit;
}

PrintRect PreviewPrintableArea(const PreviewFit& fit, const PrinterMetrics& metrics) {
  return {fit.printable_left, fit.printable_top,
          AtLeastOne(Rounded(metrics.printable_width * fit.scale)),
          AtLeastOne(Rounded(metrics.printable_height * fit.scale))};
}

void LayoutFill(const PrinterMetrics& metrics, PrintImageSize image, FillCrop* crop) {
  double rows_per_device_row = static_cast<double>(image.height) / metrics.printable_height;
  double columns_per_device_column = static_cast<double>(image.width) / metrics.printable_width;
  bool crop_rows = rows_per_device_row > columns_per_device_column;
  CropDirection(crop_rows, image.height,
                Rounded(metrics.printable_height * columns_per_device_column), &crop->y,
                &crop->height, &crop->y_placed);
  CropDirection(!crop_rows, image.width,
                Rounded(rows_per_device_row * metrics.printable_width), &crop->x, &crop->width,
                &crop->x_placed);
}

void DragFillCrop(const PreviewFit& fit, const PrinterMetrics& metrics, int32_t dx, int32_t dy,
                  FillCrop* crop) {
  // Image pixels per preview pixel in each direction of the shown crop.
  double per_x = crop->width / (metrics.printable_width * fit.scale);
  double per_y = crop->height / (metrics.printable_height * fit.scale);
  // The image follows the pointer, so the crop moves the other way.
  crop->x -= Rounded(dx * per_x);
  crop->y -= Rounded(dy * per_y);
}

PlacementLayout LayoutPlacement(const PrinterMetrics& metrics, PrintImageSize image,
                                StoredPlacement* stored) {
  PlacementLayout l;
  l.height_per_width = static_cast<double>(image.height) / image.width;
  l.width_per_height = static_cast<double>(image.width) / image.height;
  l.left = TenthsToDevice(stored->left, metrics.dpi_x);
  l.top = TenthsToDevice(stored->top, metrics.dpi_y);
  l.width = AtLeastOne(TenthsToDevice(stored->width, metrics.dpi_x));
  l.height = AtLeastOne(Rounded(l.width * l.height_per_width));

  // The shorter side of the image prints at least half an inch.
  if (image.width <= image.height) {
    l.min_width = metrics.dpi_x / 2;
    l.min_height = AtLeastOne(Rounded(l.min_width * l.height_per_width));
  } else {
    l.min_height = metrics.dpi_y / 2;
    l.min_width = AtLeastOne(Rounded(l.min_height * l.width_per_height));
  }
  l.width = std::max(l.width, l.min_width);
  l.height = std::max(l.height, l.min_height);

  // Staying on the paper wins over the minimum.
  if (FitDirection(metrics.printable_width, &l.left, &l.width)) {
    l.height = AtLeastOne(Rounded(l.width * l.height_per_width));
  }
  if (FitDirection(metrics.printable_height, &l.top, &l.height)) {
    l.width = AtLeastOne(Rounded(l.height * l.width_per_height));
  }

  stored->left = DeviceToTenths(l.left, metrics.dpi_x);
  stored->top = DeviceToTenths(l.top, metrics.dpi_y);
  stored->width = DeviceToTenths(l.width, metrics.dpi_x);
  l.effective_dpi = AtLeastOne(
      Rounded(static_cast<double>(metrics.dpi_x) * image.width / l.width));
  return l;
}

PrintRect PreviewPlacement(const PreviewFit& fit, const PlacementLayout& layout) {
  return {fit.printable_left + Rounded(layout.left * fit.scale),
          fit.printable_top + Rounded(layout.top * fit.scale),
          AtLeastOne(Rounded(layout.width * fit.scale)),
          AtLeastOne(Rounded(layout.height * fit.scale))};
}

int32_t EffectiveDpi(const PrintPage& page) {
  if (!page.fill) return page.placement.effective_dpi;
  return AtLeastOne(Rounded(static_cast<double>(page.metrics.dpi_x) * page.crop.width /
                            page.metrics.printable_width));
}

int32_t PlacementWidthForHeight(const PrinterMetrics& metrics, PrintImageSize image,
                                int32_t height_tenths) {
  int32_t height = TenthsToDevice(height_tenths, metrics.dpi_y);
  int32_t width = Rounded(height * (static_cast<double>(image.width) / image.height));
  return DeviceToTenths(AtLeastOne(width), metrics.dpi_x);
}

int32_t PlacementHeightTenths(const PrinterMetrics& metrics, const PlacementLayout& layout) {
  return DeviceToTenths(layout.height, metrics.dpi_y);
}

PrintRect PlacementHandle(const PrintRect& image, PlacementGrip corner) {
  int32_t x = IsLeftCorner(corner) ? image.left : image.left + image.width;
  int32_t y = IsTopCorner(corner) ? image.top : image.top + image.height;
  constexpr int32_t half = kPlacementHandleSize / 2;
  return {x - half, y - half, kPlacementHandleSize, kPlacementHandleSize};
}

PlacementGrip PlacementGripAt(const PrintRect& image, const PrintRect& page, int32_t x,
                              int32_t y) {
  for (PlacementGrip corner : {PlacementGrip::kTopLeft, PlacementGrip::kTopRight,
                               PlacementGrip::kBottomLeft, PlacementGrip::kBottomRight}) {
    if (Contains(PlacementHandle(image, corner), x, y)) return corner;
  }
  // Anywhere on the page moves the image: a small one is hard to hit.
  return Contains(page, x, y) ? PlacementGrip::kBody : PlacementGrip::kNone;
}

StoredPlacement DragPlacement(const PrinterMetrics& metrics, const PreviewFit& fit,
                              const PlacementLayout& start, PlacementGrip grip, int32_t dx,
                              int32_t dy) {
  int32_t device_dx = Rounded(dx / fit.scale);
  int32_t device_dy = Rounded(dy / fit.scale);
  int32_t left = start.left, top = start.top, width = start.width;
  if (grip == PlacementGrip::kBody) {
    left += device_dx;
    top += device_dy;
  } else if (grip != PlacementGrip::kNone) {
    // Size about the fixed corner; whichever pointer movement asks for the
    // larger image decides, so a diagonal drag feels natural.
    PlacementGrip fixed = OppositeCorner(grip);
    int32_t fixed_x = IsLeftCorner(fixed) ? start.left : start.left + start.width;
    int32_t fixed_y = IsTopCorner(fixed) ? start.top : start.top + start.height;
    int32_t wanted_width = start.width + (IsLeftCorner(grip) ? -device_dx : device_dx);
    int32_t wanted_height = start.height + (IsTopCorner(grip) ? -device_dy : device_dy);
    width = std::max(wanted_width, Rounded(wanted_height * start.width_per_height));
    width = AtLeastOne(width);
    int32_t height = AtLeastOne(Rounded(width * start.height_per_width));
    left = IsLeftCorner(grip) ? fixed_x - width : fixed_x;
    top = IsTopCorner(grip) ? fixed_y - height : fixed_y;
  }
  return {DeviceToTenths(std::max(left, 0), metrics.dpi_x),
          DeviceToTenths(std::max(top, 0), metrics.dpi_y), DeviceToTenths(width, metrics.dpi_x)};
}

void LayoutPrintPage(PrintPage* page, int32_t area_width, int32_t area_height) {
  page->metrics = HeldPrinterMetrics(page->metrics);
  page->fit = FitPageIntoPreview(page->metrics, area_width, area_height);
  LayoutFill(page->metrics, page->image, &page->crop);
  page->placement = LayoutPlacement(page->metrics, page->image, &page->stored);
}

PrintedPart PrintedPartOf(const PrintPage& page) {
  if (page.fill) {
    return {{0, 0, page.metrics.printable_width, page.metrics.printable_height},
            {page.crop.x, page.crop.y, page.crop.width, page.crop.height}};
  }
  const PlacementLayout& l = page.placement;
  return {{l.left, l.top, l.width, l.height}, {0, 0, page.image.width, page.image.height}};
}
