// The edit window's panes as plain arithmetic: where the two panes go for
// the active-pane choice, which scroll bars a pane needs, where a scroll
// request takes the view, and the colour readout of the eyedropper.
#pragma once

#include <cstdint>
#include <string>

#include "image/image_buffer.h"
#include "view/view_geometry.h"

// A pane's place inside the pane area, in the area's coordinates.
struct PaneRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool shown = false;
};

struct PanePlaces {
  PaneRect source, preview;
};

// Active pane 1: the source pane alone over the whole area; 2: the preview
// pane alone; 0: both side by side, each (width / 2 - 1) wide, the source
// at the left edge and the preview at the right edge.
PanePlaces PlacePanes(ViewSize area, int active_pane);

// The client a pane lays its view out in: less its border on each side,
// at least 1 by 1.
ViewSize PaneClient(ViewSize pane, int32_t border_width, int32_t border_height);

struct PaneScrollBars {
  bool horizontal = false, vertical = false;
  ViewSize client;  // what is left for the picture beside the bars
};

// Which bars a view of `scaled` needs in `client`: a bar takes room from
// the other axis and may so make the other bar needed too.
PaneScrollBars NeededScrollBars(ViewSize client, ViewSize scaled, int32_t bar_width,
                                int32_t bar_height);

// The requests of a scroll bar, in the order of the system's SB_ codes.
enum class ScrollRequest {
  kLineUp = 0, kLineDown, kPageUp, kPageDown, kThumbPosition, kThumbTrack, kTop, kBottom,
  kEndScroll
};

// The new position (image pixels) for a request: lines of 20, pages of the
// shown part, the thumb while it is dragged; clamped to 0 ... image - page.
// The end of a thumb drag and the end of scrolling keep the position.
int32_t ScrollTarget(ScrollRequest request, int32_t position, int32_t page, int32_t image_extent,
                     int32_t track);

// In the edit window a step only doubles for an image both wider and taller
// than the screen.
int EditPanStepShift(ViewSize image, ViewSize screen);

// The eyedropper's title: "r:R  g:G  b:B", or "r:-  g:-  b:-" off the image.
std::u16string ColourReadout(bool on_image, uint8_t red, uint8_t green, uint8_t blue);

// The image pixel (x from the left, y from the top) under a client point,
// or false outside the drawn image.
bool ImagePixelUnder(ViewPoint client, const ViewGeometry& geometry, ViewPoint* pixel);

// The colour of the image pixel under a client point, through the palette
// for 8-bit images, as red | green << 8 | blue << 16; false off the image.
bool ColourUnder(ViewPoint client, const ViewGeometry& geometry, const ImageBuffer& image,
                 uint32_t* colour);

// What the eyedropper reads out for a colour ColourUnder found, or for none.
std::u16string ColourReadout(bool on_image, uint32_t colour);
