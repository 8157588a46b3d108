#include "image/document_lossless_win.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/save_settings.h"
#include "image/document_save_win.h"
#include "image/document_win.h"
#include "image/lossless_rotation.h"

namespace {

bool IsLosslessRotation(int command) {
  return command == kCommandLosslessRotateAgain || command == kCommandLosslessRotateRight ||
         command == kCommandLosslessRotateLeft;
}

// Only a picture that still is its JPEG file, read from a plain file.
bool CanRotateLosslessly(const ApplicationState& app) {
  return app.current.pixels && app.current.source_format == kSourceJpeg &&
         app.document.source_kind == SourceKind::kFile && !app.document.path.empty();
}

// Everything the file holds goes with it; how it is coded stays as it was.
SaveOptions LosslessRotationOptions(const ApplicationState& app) {
  SaveOptions options =
      SaveOptionsFromSettings(app.settings, kSaveJpegLossless, app.save_comment_text);
  options.lossless_markers = 2;
  options.lossless_trim = false;
  options.lossless_greyscale = false;
  options.jpeg_progressive = false;
  return options;
}

}  // namespace

bool RunLosslessRotation(int command) {
  if (!IsLosslessRotation(command)) return false;
  ApplicationState& app = App();
  if (!CanRotateLosslessly(app)) return true;
  const int shown = app.document.rotation_state;
  app.document.rotation_state = LosslessRotationFor(command, shown);
  const std::wstring path = app.document.path;
  if (SaveDocumentWith(path, LosslessRotationOptions(app))) {
    OpenDocument(path, 0);
  } else {
    // The file was not turned, so the picture on screen is still what the
    // state it had describes; a later save must start from that.
    app.document.rotation_state = shown;
  }
  return true;
}
