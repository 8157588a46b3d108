// The view window following the image: its size and place around the
// scaled image, and how the user's sizing is held to the image.
#pragma once

#include <cstdint>

#include "app/screen_rect.h"
#include "view/view_geometry.h"

// The edge or corner being dragged, numbered as the window manager numbers
// them so the Windows layer can pass its value straight on.
enum class SizingEdge : int {
  kLeft = 1,
  kRight = 2,
  kTop = 3,
  kTopLeft = 4,
  kTopRight = 5,
  kBottom = 6,
  kBottomLeft = 7,
  kBottomRight = 8,
};

// The window's frame as the window rectangle around an empty client at the
// origin: left and top are zero or negative, right and bottom zero or
// positive. An empty rectangle means no frame.
using WindowFrame = ScreenRect;

struct WindowFitRequest {
  ViewPoint client_centre;  // screen coordinates, kept where it is
  ViewSize scaled;
  WindowFrame frame;
  bool title_bar_shown = false;
  int32_t minimum_client_width = 0;  // the system's minimum less the frame
  ScreenRect area;                   // normally the work area
};

// The smallest client extent the user may size to: the minimum client
// width with a title bar, else 1.
int32_t MinimumClientExtent(bool title_bar_shown, int32_t minimum_client_width);

// The client the window wants: the scaled size, and with a title bar at
// least the minimum client width both ways.
ViewSize WindowContentSize(ViewSize scaled, bool title_bar_shown, int32_t minimum_client_width);

// The window rectangle around the content with the client's centre kept,
// brought into the area as a saved position would be: at most the area's
// size, an overhang moved back inside, a start before the area snapped to
// its edge. Its size is the fitted window size that sizing is held to.
ScreenRect FitWindow(const WindowFitRequest& request);

// Dragging a side: the window may not grow past the fitted size on that
// axis. Corners are returned unchanged.
ScreenRect LimitSideDrag(const ScreenRect& proposed, SizingEdge edge, ViewSize fitted_window);

// Splits the proposed client's width + height in the image's proportions,
// rounding the height to nearest; each side at least minimum_extent.
ViewSize AspectClientSize(ViewSize proposed_client, ViewSize image, int32_t minimum_extent);

// Dragging a corner: the client takes the image's aspect and the dragged
// corner moves to match, the opposite corner staying put. Sides are
// returned unchanged.
ScreenRect KeepAspectOnCornerDrag(const ScreenRect& proposed, SizingEdge edge,
                                  const WindowFrame& frame, ViewSize image,
                                  int32_t minimum_extent);
