// The window title: which document is shown, its properties and the zoom.
#pragma once

#include <cstdint>
#include <string>

#include "image/document_state.h"

struct TitleInput {
  std::u16string name;           // current file name; empty without one
  std::u16string archive_name;   // archive file name for an archive member
  std::u16string member_path;    // the member's folder inside the archive
  bool has_image = false;
  bool modified = false;
  int32_t source_format = 0;     // as in the image record
  LoadResults load;
  bool rotate_by_exif = false;
  int32_t width = 0, height = 0;
  uint32_t bits_per_pixel = 0;
  uint32_t file_bytes = 0;
  bool show_zoom = false;        // the view window and full screen show it
  double zoom = 1.0;
  bool show_preview_size = false;
  uint32_t preview_bytes = 0;
};

std::u16string BuildTitleText(const TitleInput& in);
