#include "view/full_screen_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "view/slideshow_win.h"
#include "view/view_bar_win.h"
#include "view/view_control_win.h"
#include "view/view_cursor_win.h"
#include "view/view_styles_win.h"
#include "view/view_window_win.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void CoverMonitor(HWND view) {
  ApplicationState& app = App();
  RECT monitor = MonitorRectNear(view);
  app.sizing_by_program = true;
  ShowWindow(view, SW_SHOWMAXIMIZED);
  SetWindowPos(view, app.settings.always_on_top ? HWND_TOPMOST : nullptr, monitor.left,
               monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top,
               app.settings.always_on_top ? 0 : SWP_NOZORDER);
  app.sizing_by_program = false;
}

// The system restores the place it kept from before maximising; should it
// have lost it, the one remembered on entry still stands.
void ReturnToPlace(HWND view) {
  ApplicationState& app = App();
  app.sizing_by_program = true;
  ShowWindow(view, SW_RESTORE);
  ApplyViewStyles();
  RECT now;
  GetWindowRect(view, &now);
  const RECT& before = app.rect_before_full_screen;
  if (!IsRectEmpty(&before) && !SameRect(now, before)) {
    SetWindowPos(view, nullptr, before.left, before.top, before.right - before.left,
                 before.bottom - before.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  app.sizing_by_program = false;
}

}  // namespace

void EnterFullScreen() {
  ApplicationState& app = App();
  HWND view = app.view_window;
  // A minimised window has no place of its own to remember or keep.
  if (IsIconic(view)) ShowWindow(view, SW_RESTORE);
  GetWindowRect(view, &app.rect_before_full_screen);
  app.display_mode = kDisplayFullScreen;
  ApplyViewStyles();
  CoverMonitor(view);
  RefitViewByNewImageRule();
  ShowBarWindowButtons(true);
  SetForegroundWindow(view);
  SetFocus(view);
}

void LeaveFullScreen(bool show_view) {
  ApplicationState& app = App();
  HWND view = app.view_window;
  StopSlideshow();
  app.display_mode = kDisplayView;
  ShowBarWindowButtons(false);
  HideViewBar();
  ReturnToPlace(view);
  RefitViewByNewImageRule();
  if (!show_view) ShowWindow(view, SW_HIDE);
  ShowViewCursor();
}
