#include "image/document_turn_win.h"

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "effects/right_angle_turn.h"
#include "image/commit_image.h"
#include "image/save_preview_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

constexpr int kTurnCommands = 5;

// The turned image goes through the result record, which a save preview
// also uses: the preview of the unturned image goes first.
bool TurnCurrent(int code) {
  ApplicationState& app = App();
  if (!app.current.pixels) return false;
  DiscardSavePreview();
  TurnOutcome outcome = TurnImage(app.current, app.document.rotation_state, code, &app.result);
  if (outcome.status != Status::kOk) {
    ReleasePixels(&app.result);
    ShowProgramMessage(kMessagePreviewFailed);
    return false;
  }
  app.document.rotation_state = outcome.orientation;
  CommitImage(&app.result, &app.current);
  return true;
}

}  // namespace

bool RunTurnCommand(int command) {
  const int code = command - kFirstTurnCommand + 1;
  if (code < 1 || code > kTurnCommands) return false;
  if (TurnCurrent(code)) {
    ShowNewViewImage(true);
    RefreshTitle();
  }
  return true;
}

void TurnUprightByExif() {
  ApplicationState& app = App();
  if (!app.settings.rotate_by_exif || app.current.source_format != kSourceJpeg) return;
  const OrientationTurns turns = TurnsForExifOrientation(app.document.load.exif_orientation);
  const uint32_t file_bytes = app.current.source_size;
  for (int i = 0; i < turns.count; ++i) {
    if (!TurnCurrent(turns.codes[i])) break;
  }
  // Still the file as it was read, only shown upright: the title keeps
  // telling the file's size rather than that of the turned pixels.
  app.current.source_size = file_bytes;
}
