#include "image/save_preview_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/program_message_win.h"
#include "app/read_settings.h"
#include "app/save_choices.h"
#include "app/save_settings.h"
#include "codecs/image_decoders.h"
#include "image/document_win.h"
#include "image/temporary_save_win.h"
#include "lang/string_ids.h"
#include "view/edit_panes_win.h"
#include "view/title_win.h"

bool PreviewMatches(const SaveOptions& options) {
  const TemporarySave& t = App().document.temporary;
  return !t.path.empty() && t.options == options &&
         GetFileAttributesW(t.path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeSavePreview() {
  ApplicationState& app = App();
  if (!app.current.pixels) return false;
  // The type the bar shows: one this image can be written as.
  const int32_t type = SaveTypeFor(app.settings.save_type, app.current.source_format == kSourceJpeg);
  SaveOptions options = SaveOptionsFromSettings(app.settings, type, app.save_comment_text);
  if (PreviewMatches(options)) return true;
  DiscardSavePreview();
  SetWindowTextW(OwnerWindow(), LanguageString(app.language.get(), IDS_TITLE_SAVE_PREVIEW).c_str());
  uint32_t bytes = 0;
  std::wstring path = WriteTemporarySave(options, &bytes);
  bool ok = !path.empty();
  if (ok) {
    FormatCode format = kFormatUnknown;
    ok = DecodeImageFile(path.c_str(), &app.result, &format,
                         DecodeSettingsFromSettings(app.settings)) == Status::kOk;
    if (ok) {
      app.document.temporary = {path, options, bytes};
    } else {
      DeleteFileW(path.c_str());
      ShowProgramMessage(kMessagePreviewFailed);
    }
  }
  RefreshTitle();
  ShowPreviewInPanes(ok);
  return ok;
}

void DiscardSavePreview() {
  ApplicationState& app = App();
  ReleasePixels(&app.result);
  if (!app.document.temporary.path.empty()) DeleteFileW(app.document.temporary.path.c_str());
  app.document.temporary = {};
  ShowPreviewInPanes(false);
}
