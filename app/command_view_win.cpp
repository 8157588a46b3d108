// The view dispatcher: commands given while the view window is in use,
// plainly or full screen.
#include <windows.h>

#include "app/app_state.h"
#include "app/arrange_win.h"
#include "app/command_kinds.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "image/document_turn_win.h"
#include "view/hover_frame_win.h"
#include "view/navigator_win.h"
#include "view/slideshow_win.h"
#include "view/view_control_win.h"
#include "view/view_cursor_win.h"
#include "view/view_pan.h"
#include "view/view_zoom.h"

namespace {

// Whatever hovering brought up goes away before a command changes the view.
void DismissHoverHelpers() {
  if (App().navigator_by_hover) HideNavigator();
  ShowViewCursor();
  TakeAwayHoverFrame();
}

bool IsStepCommand(int command) {
  return command >= kCommandFirstImage && command <= kCommandNextImage;
}

// Stepping through the images full screen keeps the pointer out of them.
void HideCursorForStep(int command) {
  if (IsStepCommand(command) && App().display_mode == kDisplayFullScreen) HideViewCursor();
}

// Edits happen in the edit window, so they take the user there first.
void EditInEditWindow(int command) {
  if (!ViewHasImage()) return;
  StopSlideshow();
  SwitchDisplayMode(kDisplayEdit);
  DispatchEditCommand(command);
}

}  // namespace

void DispatchViewCommand(int command) {
  DismissHoverHelpers();
  // Turning is how a picture is looked at, so it happens where it is shown.
  if (RunTurnCommand(command)) return;
  if (IsImageEditCommand(command)) {
    EditInEditWindow(command);
  } else if (IsZoomCommand(command)) {
    RunViewZoomCommand(command, nullptr);
  } else if (IsPanCommand(command)) {
    RunViewPanCommand(command);
  } else if (command >= kCommandBackgroundWhite && command <= kCommandBackgroundBlack) {
    SetViewBackground(command - kCommandBackgroundWhite);
  } else if (command == kCommandToggleEditWindow) {
    StopSlideshow();
    SwitchDisplayMode(kDisplayEdit);
  } else if (command == kCommandCentreWindow) {
    if (App().display_mode == kDisplayView) CentreViewWindow();
  } else if (command >= kCommandArrangeGrid && command <= kCommandCloseAll) {
    ArrangeViewers(command);
  } else if (command != kCommandSave && command != kCommandSavePreview) {
    // Saving in place and the save preview belong to the edit window.
    HideCursorForStep(command);
    RunSharedCommand(command);
  }
}
