#include "view/file_list_place.h"

namespace {

ScreenRect Sized(int32_t left, int32_t top, const FileListPlaceInput& in) {
  return {left, top, left + in.width, top + in.height};
}

// Left of the window in use, tops aligned; where that leaves the work area
// it sits at the work area's left edge, moved down past the window's title.
ScreenRect Beside(const FileListPlaceInput& in, int32_t fallback_top) {
  const int32_t left = in.in_use.left - in.width;
  if (left >= in.work_area.left) return Sized(left, in.in_use.top, in);
  return Sized(in.work_area.left, fallback_top, in);
}

}  // namespace

ScreenRect FileListPlace(const FileListPlaceInput& in) {
  switch (in.mode) {
    case kDisplayView:
      return Beside(in, in.in_use.top + in.caption_height + kFileListDrop);
    case kDisplayEdit:
      return Beside(in, in.strip_bottom);
    case kDisplayFullScreen:
      break;
  }
  return Sized(in.work_area.left, in.work_area.top + kFileListDrop, in);
}
