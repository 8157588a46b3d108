// The edit dispatcher: commands given while the edit window is in use.
#include <windows.h>

#include "adjust/adjustment_run_win.h"

#include "app/app_state.h"
#include "app/command_kinds.h"
#include "app/command_seams_win.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "image/document_turn_win.h"
#include "image/document_win.h"
#include "view/edit_panes_win.h"
#include "view/file_list_window_win.h"
#include "view/navigator_win.h"
#include "view/save_bar_win.h"
#include "view/view_control_win.h"
#include "view/view_pan.h"
#include "view/view_zoom.h"

namespace {

// The panes' zoom, pan and layout commands; false for any other.
bool RunPaneCommand(int command) {
  if (IsZoomCommand(command)) {
    RunViewZoomCommand(command, nullptr);
  } else if (IsPanCommand(command)) {
    RunViewPanCommand(command);
  } else if (command == kCommandPaneScrollBars) {
    ToggleEditScrollBars();
  } else if (command >= kCommandBothPanes && command <= kCommandPreviewPaneOnly) {
    SetActivePane(command - kCommandBothPanes);  // both 0, source only 1, preview only 2
  } else {
    return false;
  }
  return true;
}

// An edit starts from a settled screen: no file list over the panes and no
// stale preview.
void StartImageEdit(int command) {
  ApplicationState& app = App();
  if (!app.current.pixels) return;
  CloseFileListWindow();
  if (RunTurnCommand(command) || OpenAdjustmentOfCommand(command)) return;
  RunCommandOfMissingModule(command);
}

}  // namespace

void DispatchEditCommand(int command) {
  ApplicationState& app = App();
  if (app.adjustment_mode != 0 && !IsAllowedDuringAdjustment(command)) return;
  if (IsImageEditCommand(command)) {
    StartImageEdit(command);
  } else if (command == kCommandToggleEditWindow) {
    SwitchDisplayMode(kDisplayView);
  } else if (command == kCommandEditNavigator) {
    ToggleEditNavigator();
  } else if (command >= kCommandBackgroundWhite && command <= kCommandBackgroundBlack) {
    SetEditBackground(command - kCommandBackgroundWhite);
  } else if (RunPaneCommand(command)) {
    // Zoom, pan and the panes: the edit window's own view.
  } else if (RunSaveBarCommand(command)) {
    // The save type and options of the tool strip.
  } else if (command == kCommandApplyAdjustment || command == kCommandCancelAdjustment) {
    FinishAdjustment(command == kCommandApplyAdjustment);
  } else {
    RunSharedCommand(command);
  }
}
