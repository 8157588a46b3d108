// Opening: a path from anywhere, an entry of the file list, the open dialog.
#include <windows.h>
#include <commdlg.h>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/read_settings.h"
#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "codecs/image_decoders.h"
#include "image/current_image_win.h"
#include "image/document_paths.h"
#include "image/document_turn_win.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "image/folder_watch_win.h"
#include "lang/string_ids.h"
#include "view/file_list_window_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

ApplicationState& A() { return App(); }

void ShowOpeningTitle() {
  SetWindowTextW(OwnerWindow(), LanguageString(A().language.get(), IDS_TITLE_OPENING).c_str());
}

bool DecodeIntoStaging(const std::wstring& path) {
  FormatCode format = kFormatUnknown;
  // Images the built-in decoders refuse go to the plug-ins, which arrive
  // with their own module.
  ApplicationState& app = A();
  DecodeSettings settings = DecodeSettingsFromSettings(app.settings);
  settings.animation = true;  // the view plays animated GIF files
  return DecodeImageFile(path.c_str(), &app.staging, &format, settings, &app.document.load) ==
         Status::kOk;
}

void TakeLoadedImage(const std::wstring& path) {
  ApplicationState& app = A();
  ReplaceCurrentImage(&app.staging);
  app.modified = false;
  app.document.rotation_state = kRotationNone;
  app.document.source_kind = SourceKind::kFile;
  SetDocumentPath(path);
  app.document.last_write = app.current.last_write_time;
  app.document.file_bytes = app.current.source_size;
  app.settings.last_folder = ToU16(app.document.folder);
  TurnUprightByExif();
}

void DropFailedImage(const std::wstring& path) {
  ApplicationState& app = A();
  ReleasePixels(&app.staging);
  ClearCurrentImage();
  app.modified = false;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) ClearDocumentPath();
}

// Everything after the decode: commit or drop, then the view and the title.
bool FinishOpen(const std::wstring& path, bool decoded) {
  if (decoded) {
    TakeLoadedImage(path);
  } else {
    DropFailedImage(path);
  }
  ShowNewViewImage(false);
  A().open_failed = !decoded;
  RefreshTitle();
  SetCursor(A().cursor_arrow);
  return decoded;
}

}  // namespace

FolderRebuild RefreshFileList() {
  ApplicationState& app = A();
  const DocumentState& d = app.document;
  FolderRebuild rebuild = RebuildFolderList(&app.file_list, d.folder, ToU16(d.name),
                                            {d.last_write, d.file_bytes}, {},
                                            static_cast<SortOrder>(app.settings.file_list_order));
  WatchCurrentFolder();
  RefreshFileListWindow();
  return rebuild;
}

bool OpenDocument(const std::wstring& path, int entry_key) {
  ApplicationState& app = A();
  ShowOpeningTitle();
  SetCursor(app.cursor_wait);
  app.document.load = {};
  // Archives arrive with their sources; until then every path is a plain
  // file, which is also where an archive that fails to read ends up.
  // The list is built even when the file cannot be decoded, so that the
  // next and previous images are still one key away.
  SetDocumentPath(path);
  RefreshFileList();
  if (entry_key != 0) {
    app.file_list.SelectByKey(static_cast<uint32_t>(entry_key));
    RefreshFileListWindow();
  }
  return FinishOpen(path, DecodeIntoStaging(path));
}

bool OpenListEntry(size_t index) {
  ApplicationState& app = A();
  if (app.file_list.empty()) return false;
  const FileListEntry& entry = app.file_list.entries()[app.file_list.Select(index)];
  RefreshFileListWindow();
  std::wstring path = JoinPath(app.document.folder, ToWide(entry.name));
  ShowOpeningTitle();
  SetCursor(app.cursor_wait);
  app.document.load = {};
  return FinishOpen(path, DecodeIntoStaging(path));
}
