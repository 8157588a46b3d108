#include "image/document_save_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/program_message_win.h"
#include "app/save_settings.h"
#include "app/wide_text.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "image/file_replace_win.h"
#include "image/format_detect.h"
#include "image/path_parts.h"
#include "image/save_dialog_win.h"
#include "image/save_preview_win.h"
#include "image/temporary_save_win.h"
#include "lang/string_ids.h"
#include "view/title_win.h"

namespace {

ApplicationState& A() { return App(); }

void AfterSave(const std::wstring& destination, bool existed) {
  ApplicationState& app = A();
  app.modified = false;
  if (app.document.source_kind == SourceKind::kFile) {
    if (lstrcmpiW(destination.c_str(), app.document.path.c_str()) == 0) {
      RememberOwnWrite();
    } else if (lstrcmpiW(FolderOfPath(destination).c_str(), app.document.folder.c_str()) == 0) {
      RefreshFileList();
    }
  }
  if (!existed) AnnounceNewFile(destination);
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

void RememberOwnWrite() {
  ApplicationState& app = A();
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(app.document.path.c_str(), GetFileExInfoStandard, &data)) {
    app.document.last_write = {data.ftLastWriteTime.dwLowDateTime,
                               data.ftLastWriteTime.dwHighDateTime};
    app.document.file_bytes = data.nFileSizeLow;
  }
}

bool SaveDocumentTo(const std::wstring& destination, int save_type) {
  const ApplicationState& app = A();
  return SaveDocumentWith(destination,
                          SaveOptionsFromSettings(app.settings, save_type, app.save_comment_text));
}

bool SaveDocumentWith(const std::wstring& destination, const SaveOptions& options) {
  ApplicationState& app = A();
  if (!app.current.pixels) return false;
  SetWindowTextW(OwnerWindow(), LanguageString(app.language.get(), IDS_TITLE_SAVING).c_str());
  bool from_preview = PreviewMatches(options);
  uint32_t bytes = 0;
  std::wstring temporary = from_preview ? app.document.temporary.path
                                        : WriteTemporarySave(options, &bytes);
  if (temporary.empty()) {
    RefreshTitle();
    return false;
  }
  bool existed = GetFileAttributesW(destination.c_str()) != INVALID_FILE_ATTRIBUTES;
  bool placed = ReplaceFileWith(temporary, destination);
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
