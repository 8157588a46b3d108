// What a reader found besides the pixels; the title and the information
// dialogs show them, the comment editor adjusts the counts.
#pragma once

struct LoadResults {
  bool interlaced_or_progressive = false;
  bool transparency = false;
  int information_count = 0;  // PNG: text chunks; JPEG: an Exif block
  int comment_count = 0;
  int exif_orientation = 0;
};
