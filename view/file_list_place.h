// Where the file-list window goes beside the window in use. Portable, so the
// arithmetic is tested without windows; the caller keeps the window's size.
#pragma once

#include <cstdint>

#include "app/display_mode.h"
#include "app/screen_rect.h"

struct FileListPlaceInput {
  DisplayMode mode = kDisplayView;
  ScreenRect in_use;      // frame of the view or edit window, screen coordinates
  ScreenRect work_area;   // of the monitor that window is on
  int32_t width = 0, height = 0;  // the list window's own size, kept
  // Fallback tops, used when the list would pass the work area's left edge:
  int32_t caption_height = 0;  // the view window's title bar when it shows one, else 0
  int32_t strip_bottom = 0;    // screen y of the edit window's tool strip bottom edge
};

// Full screen leaves it in the work area's top-left corner this far down,
// clear of the bar; beside a window the fallback moves down as much again.
inline constexpr int32_t kFileListDrop = 24;

ScreenRect FileListPlace(const FileListPlaceInput& in);
