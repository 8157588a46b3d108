#include "app/commands_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/arrange_win.h"
#include "app/display_mode_win.h"
#include "app/startup_notice_win.h"
#include "app/window_placement.h"
#include "image/document_win.h"
#include "view/view_control.h"
#include "view/view_pan.h"
#include "view/view_window.h"
#include "view/view_zoom.h"

namespace {

void ToggleAlwaysOnTop() {
  ApplicationState& app = App();
  app.settings.always_on_top = !app.settings.always_on_top;
  SetWindowPos(app.view_window, app.settings.always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ToggleEditWindow() {
  if (App().display_mode == kDisplayEdit) {
    EnterViewMode();
  } else {
    EnterEditMode(SW_SHOW);
  }
}

void MinimiseOrRestore() {
  HWND owner = OwnerWindow();
  ShowWindow(owner, IsIconic(owner) ? SW_RESTORE : SW_MINIMIZE);
}

}  // namespace

void CentreViewWindow() {
  HWND view = App().view_window;
  RECT work = WorkAreaNear(view);
  RECT frame;
  GetWindowRect(view, &frame);
  ScreenRect centred = CentreInWorkArea(frame.right - frame.left, frame.bottom - frame.top,
                                        {work.left, work.top, work.right, work.bottom});
  SetWindowPos(view, nullptr, centred.left, centred.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunViewCommand(int command) {
  if (RunDocumentCommand(command)) return;
  if (IsZoomCommand(command)) {
    RunViewZoomCommand(command, nullptr);
    return;
  }
  if (command >= kCommandBackgroundWhite && command <= kCommandBackgroundBlack) {
    SetViewBackground(command - kCommandBackgroundWhite);
    return;
  }
  switch (command) {
    case kCommandPanLeft:
    case kCommandPanRight:
    case kCommandPanUp:
    case kCommandPanDown:
      RunViewPanCommand(command);
      break;
    case kCommandMinimise:
      MinimiseOrRestore();
      break;
    case kCommandToggleEditWindow:
      ToggleEditWindow();
      break;
    case kCommandAlwaysOnTop:
      ToggleAlwaysOnTop();
      break;
    case kCommandCentreWindow:
      CentreViewWindow();
      break;
    case kCommandArrangeGrid:
    case kCommandArrangeSideBySide:
    case kCommandArrangeStacked:
    case kCommandCentreAll:
    case kCommandCloseAll:
      ArrangeViewers(command);
      break;
    case kCommandStartupNotice:
      ShowStartupNotice();
      break;
    case kCommandClose:
      PostMessageW(App().view_window, WM_CLOSE, 0, 0);
      break;
  }
}
