// Where a top-level window starts within the work area of its monitor.
#pragma once

#include <cstdint>

#include "app/screen_rect.h"

// A saved normal position brought back onto the work area: the size is
// clipped to the work area's size (a negative saved size counts as 0); a
// left edge at or right of the work area's left edge stays but moves left as
// far as needed to keep the window inside; a left edge left of the work area
// snaps to its left edge; the top edge likewise.
ScreenRect FitToWorkArea(int32_t left, int32_t top, int32_t width, int32_t height,
                         const ScreenRect& work_area);

// A window of the given size centred in the work area; a larger window
// overhangs evenly on both sides.
ScreenRect CentreInWorkArea(int32_t width, int32_t height, const ScreenRect& work_area);
