#include "image/document_save_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/program_message_win.h"
#include "app/save_settings.h"
#include "app/wide_text.h"
#include "codecs/image_decoders.h"
#include "codecs/image_encoders.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "image/format_detect.h"
#include "image/path_parts.h"
#include "image/recycle_bin_win.h"
#include "image/save_dialog_win.h"
#include "lang/string_ids.h"
#include "view/title_win.h"

namespace {

ApplicationState& A() { return App(); }

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts the finished temporary file in place of `destination`. The copy goes
// next to the destination first, so the old file is only given up once its
// replacement is complete on the same disk: a full disk or a read-only folder
// leaves the old file where it was.
bool ReplaceWith(const std::wstring& temporary, const std::wstring& destination) {
  std::wstring staged = destination + L".ovira-new";
  if (!CopyFileW(temporary.c_str(), staged.c_str(), FALSE)) return false;
  if (FileExists(destination)) {
    MoveToRecycleBin(nullptr, destination, FOF_NOERRORUI | FOF_SILENT);
  }
  if (MoveFileExW(staged.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileW(staged.c_str());
  return false;
}

// Writes the current image with `options` into a new temporary file.
std::wstring WriteTemporarySave(const SaveOptions& options, uint32_t* bytes) {
  std::wstring path = NewTemporaryFile();
  if (path.empty()) {
    ShowProgramMessage(kMessageNoTempFile);
    return {};
  }
  Status status = EncodeImageFile(A().current, options, path.c_str());
  if (status != Status::kOk) {
    DeleteFileW(path.c_str());
    ShowProgramMessage(StatusCode(status));
    return {};
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  *bytes = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
  return path;
}

bool PreviewMatches(const SaveOptions& options) {
  const TemporarySave& t = A().document.temporary;
  return !t.path.empty() && t.options == options && FileExists(t.path);
}

void AfterSave(const std::wstring& destination, bool existed) {
  ApplicationState& app = A();
  app.modified = false;
  if (app.document.source_kind == SourceKind::kFile) {
    if (lstrcmpiW(destination.c_str(), app.document.path.c_str()) == 0) {
      // Our own write must not look like a change by another program.
      WIN32_FILE_ATTRIBUTE_DATA data;
      if (GetFileAttributesExW(destination.c_str(), GetFileExInfoStandard, &data)) {
        app.document.last_write = {data.ftLastWriteTime.dwLowDateTime,
                                   data.ftLastWriteTime.dwHighDateTime};
        app.document.file_bytes = data.nFileSizeLow;
      }
    } else if (lstrcmpiW(FolderOfPath(destination).c_str(), app.document.folder.c_str()) == 0) {
      RefreshFileList();
    }
  }
  if (!existed) SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, destination.c_str(), nullptr);
  RefreshTitle();
}

int SaveTypeOfFormat(FormatCode format) {
  switch (format) {
    case kFormatBmp: return kSaveBmp;
    case kFormatPng: return kSavePng;
    case kFormatJpeg: return kSaveJpeg;
    case kFormatTiff: return kSaveTiff;
    case kFormatGif: return kSaveGif;
    default: return -1;
  }
}

}  // namespace

std::wstring NewTemporaryFile() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t file[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  if (n == 0 || n > MAX_PATH || !GetTempFileNameW(folder, L"tmp", 0, file)) return {};
  return file;
}

bool SaveDocumentTo(const std::wstring& destination, int save_type) {
  ApplicationState& app = A();
  if (!app.current.pixels) return false;
  SetWindowTextW(OwnerWindow(), LanguageString(app.language.get(), IDS_TITLE_SAVING).c_str());
  SaveOptions options = SaveOptionsFromSettings(app.settings, save_type);
  bool from_preview = PreviewMatches(options);
  uint32_t bytes = 0;
  std::wstring temporary = from_preview ? app.document.temporary.path
                                        : WriteTemporarySave(options, &bytes);
  if (temporary.empty()) {
    RefreshTitle();
    return false;
  }
  bool existed = FileExists(destination);
  bool placed = ReplaceWith(temporary, destination);
  if (!from_preview) DeleteFileW(temporary.c_str());
  if (!placed) {
    RefreshTitle();
    ShowProgramMessage(kMessageCopyFailed);
    return false;
  }
  AfterSave(destination, existed);
  return true;
}

bool SaveDocument() {
  ApplicationState& app = A();
  if (!app.current.pixels || app.document.source_kind != SourceKind::kFile ||
      app.document.path.empty())
    return false;
  int type = SaveTypeOfFormat(DetectFileFormat(app.document.path.c_str()));
  if (type < 0) return SaveDocumentAs();
  return SaveDocumentTo(app.document.path, type);
}

bool SaveDocumentAs() {
  ApplicationState& app = A();
  if (!app.current.pixels) return false;
  std::wstring chosen;
  if (!AskSavePath(&chosen)) return false;
  app.settings.last_folder = ToU16(FolderOfPath(chosen));
  return SaveDocumentTo(chosen, app.settings.save_type);
}

bool MakeSavePreview() {
  ApplicationState& app = A();
  if (!app.current.pixels) return false;
  SaveOptions options = SaveOptionsFromSettings(app.settings, app.settings.save_type);
  if (PreviewMatches(options)) return true;
  DiscardSavePreview();
  SetWindowTextW(OwnerWindow(), LanguageString(app.language.get(), IDS_TITLE_SAVE_PREVIEW).c_str());
  uint32_t bytes = 0;
  std::wstring path = WriteTemporarySave(options, &bytes);
  bool ok = !path.empty();
  if (ok) {
    FormatCode format = kFormatUnknown;
    ok = DecodeImageFile(path.c_str(), &app.result, &format) == Status::kOk;
    if (ok) {
      app.document.temporary = {path, options, bytes};
    } else {
      DeleteFileW(path.c_str());
      ShowProgramMessage(kMessagePreviewFailed);
    }
  }
  RefreshTitle();
  return ok;
}

void DiscardSavePreview() {
  ApplicationState& app = A();
  ReleasePixels(&app.result);
  if (!app.document.temporary.path.empty()) DeleteFileW(app.document.temporary.path.c_str());
  app.document.temporary = {};
}
