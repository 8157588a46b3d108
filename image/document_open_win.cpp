// Opening: a path from anywhere, an entry of the file list, the open dialog.
#include <windows.h>
#include <commdlg.h>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/read_settings.h"
#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "codecs/image_decoders.h"
#include "image/archive_list_win.h"
#include "image/current_image_win.h"
#include "image/document_paths.h"
#include "image/document_turn_win.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "image/folder_watch_win.h"
#include "image/image_name_patterns.h"
#include "image/path_parts.h"
#include "image/plugin_host_win.h"
#include "image/plugin_places_win.h"
#include "lang/string_ids.h"
#include "view/file_list_window_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

ApplicationState& A() { return App(); }

void BeginOpen() {
  ApplicationState& app = A();
  SetWindowTextW(OwnerWindow(), LanguageString(app.language.get(), IDS_TITLE_OPENING).c_str());
  SetCursor(app.cursor_wait);
  app.document.load = {};
}

DecodeSettings ViewDecodeSettings() {
  DecodeSettings settings = DecodeSettingsFromSettings(A().settings);
  settings.animation = true;  // the view plays animated GIF files
  return settings;
}

// Images the built-in decoders refuse, or cannot tell, go to the plug-ins.
bool DecodeFile(const std::wstring& path) {
  ApplicationState& app = A();
  FormatCode format = kFormatUnknown;
  if (DecodeImageFile(path.c_str(), &app.staging, &format, ViewDecodeSettings(),
                      &app.document.load) == Status::kOk)
    return true;
  app.document.load = {};
  return OpenPluginImage(CurrentPluginPlaces(), path, &app.staging);
}

bool DecodeMember(const FileListEntry& entry) {
  ApplicationState& app = A();
  PageBlock block;
  uint32_t size = 0;
  if (!ExtractArchiveMember(entry, &block, &size)) return false;
  FormatCode format = kFormatUnknown;
  if (DecodeImageMember(&block, size, &app.staging, &format, ViewDecodeSettings(),
                        &app.document.load) == Status::kOk)
    return true;
  app.document.load = {};
  return OpenPluginImageFromMemory(CurrentPluginPlaces(), ToWide(entry.name), block.data(), size,
                                   &app.staging);
}

void CommitStaged() {
  ApplicationState& app = A();
  ReplaceCurrentImage(&app.staging);
  app.modified = false;
  app.document.rotation_state = kRotationNone;
}

void DropStaged() {
  ApplicationState& app = A();
  ReleasePixels(&app.staging);
  ClearCurrentImage();
  app.modified = false;
}

void TakeFile(const std::wstring& path) {
  ApplicationState& app = A();
  CommitStaged();
  app.document.source_kind = SourceKind::kFile;
  SetDocumentPath(path);
  app.document.last_write = app.current.last_write_time;
  app.document.file_bytes = app.current.source_size;
  app.settings.last_folder = ToU16(app.document.folder);
  TurnUprightByExif();
}

void DropFile(const std::wstring& path) {
  DropStaged();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) ClearDocumentPath();
}

bool ShowFile(const std::wstring& path) {
  const bool decoded = DecodeFile(path);
  if (decoded) {
    TakeFile(path);
  } else {
    DropFile(path);
  }
  return decoded;
}

// The member names the document even when it cannot be shown, so the title
// tells which one failed and the list steps on from it.
void NameMember(const FileListEntry& entry) {
  ApplicationState& app = A();
  app.document.name = ToWide(entry.name);
  app.document.member_folder = ToWide(entry.folder);
  app.settings.last_folder = ToU16(app.document.folder);
}

bool TakeMember(const FileListEntry& entry, bool decoded) {
  NameMember(entry);
  if (decoded) {
    CommitStaged();
    TurnUprightByExif();
  } else {
    DropStaged();
  }
  return decoded;
}

// Everything after the decode: the view and the title.
bool FinishOpen(bool decoded) {
  ShowNewViewImage(false);
  A().open_failed = !decoded;
  RefreshTitle();
  SetCursor(A().cursor_arrow);
  return decoded;
}

bool OpenPlainFile(const std::wstring& path, std::optional<uint32_t> key) {
  ApplicationState& app = A();
  // The list is built even when the file cannot be decoded, so that the
  // next and previous images are still one key away.
  app.document.source_kind = SourceKind::kFile;
  SetDocumentPath(path);
  RefreshFileList();
  if (key) {
    app.file_list.SelectByKey(*key);
    RefreshFileListWindow();
  }
  return FinishOpen(ShowFile(path));
}

// A name without an image extension is first read as an archive. One that
// holds no image, or is no archive at all, is a plain file; so is one whose
// member fails while the file itself decodes (an image under an archive's
// name). Otherwise the failed member stays current, so the rest of the
// archive is still a key away.
bool OpenArchive(const std::wstring& path, std::optional<uint32_t> key) {
  ApplicationState& app = A();
  if (IsCurrentArchive(path)) {
    app.file_list.Select(0);
    if (key) app.file_list.SelectByKey(*key);
    RefreshFileListWindow();
  } else if (!BuildArchiveList(path, key)) {
    return OpenPlainFile(path, key);
  }
  SetDocumentPath(path);
  const FileListEntry entry = *app.file_list.CurrentEntry();
  const bool decoded = DecodeMember(entry);
  if (!decoded && DecodeFile(path)) {
    TakeFile(path);
    RefreshFileList();
    return FinishOpen(true);
  }
  return FinishOpen(TakeMember(entry, decoded));
}

}  // namespace

FolderRebuild RefreshFileList() {
  ApplicationState& app = A();
  const DocumentState& d = app.document;
  FolderRebuild rebuild = RebuildFolderList(&app.file_list, d.folder, ToU16(d.name),
                                            {d.last_write, d.file_bytes},
                                            CurrentPluginPatterns(false),
                                            static_cast<SortOrder>(app.settings.file_list_order));
  WatchCurrentFolder();
  RefreshFileListWindow();
  return rebuild;
}

bool OpenDocument(const std::wstring& path, int entry_key) {
  BeginOpen();
  std::optional<uint32_t> key;
  if (entry_key != 0) key = static_cast<uint32_t>(entry_key);
  if (IsBuiltInImageName(ToU16(NameOfPath(path)))) return OpenPlainFile(path, key);
  return OpenArchive(path, key);
}

bool OpenListEntry(size_t index) {
  ApplicationState& app = A();
  if (app.file_list.empty()) return false;
  const FileListEntry entry = app.file_list.entries()[app.file_list.Select(index)];
  RefreshFileListWindow();
  BeginOpen();
  if (app.document.source_kind != SourceKind::kFile)
    return FinishOpen(TakeMember(entry, DecodeMember(entry)));
  const std::wstring path = JoinPath(app.document.folder, ToWide(entry.name));
  return FinishOpen(ShowFile(path));
}
