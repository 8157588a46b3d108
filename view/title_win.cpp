#include "view/title_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/wide_text.h"
#include "image/path_parts.h"
#include "view/title_text.h"
#include "view/title_tip_win.h"
#include "view/tool_strip_win.h"
#include "view/view_bar_win.h"

void RefreshTitle() {
  ApplicationState& app = App();
  const ImageBuffer& image = app.current;
  TitleInput in;
  in.name = ToU16(app.document.name);
  if (app.document.source_kind != SourceKind::kFile && !in.name.empty()) {
    in.archive_name = ToU16(NameOfPath(app.document.path));
    if (!app.document.member_folder.empty())
      in.member_path = ToU16(app.document.member_folder) + u"\\";
  }
  in.has_image = image.pixels != nullptr;
  in.modified = app.modified;
  in.source_format = image.source_format;
  in.load = app.document.load;
  in.rotate_by_exif = app.settings.rotate_by_exif != 0;
  in.width = image.header.width;
  in.height = image.header.height;
  in.bits_per_pixel = image.source_bits_per_pixel;
  in.file_bytes = image.source_size;
  in.show_zoom = app.display_mode != kDisplayEdit;
  in.zoom = app.view_geometry.zoom;
  in.show_preview_size = app.display_mode == kDisplayEdit && app.adjustment_mode == 0 &&
                         !app.document.temporary.path.empty();
  in.preview_bytes = app.document.temporary.bytes;
  std::wstring text = ToWide(BuildTitleText(in));
  SetWindowTextW(OwnerWindow(), text.c_str());
  if (app.display_mode == kDisplayView) SetTitleTipText(text);
  if (app.display_mode == kDisplayFullScreen) SetBarTitle(text);
  if (app.display_mode == kDisplayEdit) RefreshToolStrip();
  RefreshBarButtons();
}
