#include "image/document_delete_win.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "image/current_image_win.h"
#include "image/document_paths.h"
#include "image/document_win.h"
#include "image/recycle_bin_win.h"
#include "view/file_list_window_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

void ShowNothing() {
  ApplicationState& app = App();
  ClearCurrentImage();
  ClearDocumentPath();
  app.modified = false;
  ShowNewViewImage(false);
  RefreshTitle();
}

}  // namespace

void DeleteCurrentFile() {
  ApplicationState& app = App();
  if (app.document.source_kind != SourceKind::kFile || app.document.path.empty()) return;
  if (!SettleUnsavedChanges()) return;
  if (GetFileAttributesW(app.document.path.c_str()) != INVALID_FILE_ATTRIBUTES &&
      !MoveToRecycleBin(OwnerWindow(), app.document.path,
                        FOF_WANTNUKEWARNING | FOF_NO_CONNECTED_ELEMENTS))
    return;
  app.file_list.RemoveCurrent();
  RefreshFileListWindow();
  if (app.file_list.empty()) {
    ShowNothing();
  } else {
    OpenListEntry(app.file_list.current());
  }
}
