// The edit dispatcher: commands given while the edit window is in use.
#include <windows.h>

#include "app/app_state.h"
#include "app/command_kinds.h"
#include "app/command_seams_win.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "image/document_turn_win.h"
#include "image/document_win.h"
#include "view/file_list_window_win.h"

namespace {

// An edit starts from a settled screen: no file list over the panes and no
// stale preview.
void StartImageEdit(int command) {
  ApplicationState& app = App();
  if (!app.current.pixels) return;
  CloseFileListWindow();
  if (RunTurnCommand(command)) return;
  RunCommandOfMissingModule(command);
}

}  // namespace

void DispatchEditCommand(int command) {
  ApplicationState& app = App();
  if (app.adjustment_in_progress && !IsAllowedDuringAdjustment(command)) return;
  if (IsImageEditCommand(command)) {
    StartImageEdit(command);
  } else if (command == kCommandToggleEditWindow) {
    SwitchDisplayMode(kDisplayView);
  } else if (command >= kCommandBackgroundWhite && command <= kCommandBackgroundBlack) {
    app.settings.edit_background = command - kCommandBackgroundWhite;
    InvalidateRect(app.edit_window, nullptr, TRUE);
  } else if (IsAllowedDuringAdjustment(command)) {
    // Zoom, pan, the panes, apply and cancel: the edit window's own.
    RunCommandOfMissingModule(command);
  } else {
    RunSharedCommand(command);
  }
}
