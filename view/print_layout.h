// The arithmetic of the print dialog: the page fitted into the preview, the
// image either filling the printable area (cropped to its proportions) or
// placed at a position and width kept in tenths of a millimetre, and the
// drags that move the crop or move and size the placed image. Device pixels
// are the printer's; preview pixels are the preview window's.
#pragma once

#include <cstdint>

struct PrinterMetrics {
  int32_t dpi_x = 2, dpi_y = 2;                    // at least 2
  int32_t paper_width = 1, paper_height = 1;       // at least 1
  int32_t offset_x = 0, offset_y = 0;              // of the printable area
  int32_t printable_width = 1, printable_height = 1;  // at least 1
};

// What the driver reported, held to the least values the layout can use.
PrinterMetrics HeldPrinterMetrics(const PrinterMetrics& reported);

struct PrintRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

struct PrintImageSize {
  int32_t width = 1, height = 1;
};

// The page inside the preview area and where its printable area starts.
struct PreviewFit {
  double scale = 1;  // preview pixels per device pixel
  PrintRect page;
  int32_t printable_left = 0, printable_top = 0;
};

PreviewFit FitPageIntoPreview(const PrinterMetrics& metrics, int32_t area_width,
                              int32_t area_height);

// The printable area as the preview shows it, at least one pixel each way.
PrintRect PreviewPrintableArea(const PreviewFit& fit, const PrinterMetrics& metrics);

// Fill mode: the part of the image printed over the whole printable area.
// The start is centred the first time each direction is cropped and kept
// (within the image) after that, so a moved crop survives page changes.
struct FillCrop {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool x_placed = false, y_placed = false;
};

void LayoutFill(const PrinterMetrics& metrics, PrintImageSize image, FillCrop* crop);

// Moves the crop as if the image were dragged by `dx`, `dy` preview pixels.
void DragFillCrop(const PreviewFit& fit, const PrinterMetrics& metrics, int32_t dx, int32_t dy,
                  FillCrop* crop);

// Placement mode, as kept for the whole run.
struct StoredPlacement {
  int32_t left = 0, top = 0, width = 1000;  // tenths of a millimetre
};

struct PlacementLayout {
  int32_t left = 0, top = 0, width = 1, height = 1;  // device pixels in the printable area
  int32_t min_width = 1, min_height = 1;
  double height_per_width = 1, width_per_height = 1;
  int32_t effective_dpi = 1;  // of the printed image
};

// Converts the stored placement to device pixels, raises it to the half-inch
// minimum, fits it into the printable area, and stores the result back.
PlacementLayout LayoutPlacement(const PrinterMetrics& metrics, PrintImageSize image,
                                StoredPlacement* stored);

// The placed image in preview pixels, at least one pixel each way.
PrintRect PreviewPlacement(const PreviewFit& fit, const PlacementLayout& layout);

// The width in tenths of a millimetre that gives `height_tenths` of height.
int32_t PlacementWidthForHeight(const PrinterMetrics& metrics, PrintImageSize image,
                                int32_t height_tenths);

// The printed height in tenths of a millimetre.
int32_t PlacementHeightTenths(const PrinterMetrics& metrics, const PlacementLayout& layout);

// What a press in the preview grabs in placement mode.
enum class PlacementGrip { kNone, kBody, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

constexpr int32_t kPlacementHandleSize = 10;

// The handle square centred on one corner of `image` (preview pixels).
PrintRect PlacementHandle(const PrintRect& image, PlacementGrip corner);

// A handle when the point is on one, else the body when it is on the page.
PlacementGrip PlacementGripAt(const PrintRect& image, const PrintRect& page, int32_t x, int32_t y);

// The stored placement after dragging `grip` by `dx`, `dy` preview pixels
// from where it was at the press (`start`, device pixels). Corners size the
// image about the opposite corner, keeping its proportions; the body moves
// it. The caller lays the result out again, which keeps it on the page.
StoredPlacement DragPlacement(const PrinterMetrics& metrics, const PreviewFit& fit,
                              const PlacementLayout& start, PlacementGrip grip, int32_t dx,
                              int32_t dy);

// Device pixels to tenths of a millimetre and back at `dpi`, rounded.
int32_t TenthsToDevice(int32_t tenths, int32_t dpi);
int32_t DeviceToTenths(int32_t pixels, int32_t dpi);

// Everything the print dialog shows of one page: both modes are laid out
// together, so switching modes shows the other one as it was left.
struct PrintPage {
  PrinterMetrics metrics;
  PreviewFit fit;
  PrintImageSize image;
  bool fill = false;
  FillCrop crop;
  StoredPlacement stored;
  PlacementLayout placement;
};

// Fits the page into a preview area of `area_width` x `area_height` and
// lays out the fill crop and the placement for the current metrics.
void LayoutPrintPage(PrintPage* page, int32_t area_width, int32_t area_height);

// Where the image goes on the printed page, in device pixels from the
// printable area's origin, and which part of the image (rows counted from
// the top) is printed there.
struct PrintedPart {
  PrintRect target;
  PrintRect source;
};

PrintedPart PrintedPartOf(const PrintPage& page);

// Image pixels per inch of paper in the page's mode: the printer's
// resolution times the printed image pixels over the printed device pixels.
int32_t EffectiveDpi(const PrintPage& page);
