// Reading the pointer over the view: which way a drag goes, and the hot
// zones near the client's edges that bring up the bar and the navigator.
#pragma once

#include <cstdint>

#include "view/view_geometry.h"

// The bar across the top of the view window's client area.
constexpr int32_t kViewBarHeight = 24;

// In the order of the gesture mouse states and bindings.
enum class DragDirection { kNone, kLeft, kRight, kUp, kDown };

// None until the Manhattan distance from the anchor exceeds the threshold;
// then horizontal when |dx| >= |dy|, else vertical.
DragDirection DragDirectionOf(ViewPoint anchor, ViewPoint pointer, int32_t threshold);

// Whether the scaled image lies within the client on both axes (and so
// leaves nothing to pan).
bool ScaledImageFitsClient(const ViewGeometry& geometry);

// Whether the client has room for the navigator: larger than 240 x 240.
bool ClientHoldsNavigator(ViewSize client);

// Pointer within the client's top 22 pixels, in a client taller than 48.
bool InBarHoverZone(ViewPoint pointer, ViewSize client);

// Pointer within 22 pixels of the right edge and less than 120 from the
// top, in a client that holds the navigator, over an image that does not
// fit it.
bool InNavigatorHoverZone(ViewPoint pointer, const ViewGeometry& geometry);

// In full screen a hover-opened navigator stays while the pointer is within
// 22 pixels of the right edge and less than 121 from the top.
bool InFullScreenNavigatorKeepZone(ViewPoint pointer, ViewSize client);

// A hidden full-screen cursor comes back once the pointer is more than 32
// pixels (Manhattan) from where it was last remembered.
bool PointerWakesCursor(ViewPoint remembered, ViewPoint pointer);
