#include "app/display_mode_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "view/animation_win.h"

namespace {

int EditShowCommand(int show_command) {
  ApplicationState& app = App();
  if (!app.edit_window_shown && app.settings.edit_maximised) show_command = SW_SHOWMAXIMIZED;
  app.edit_window_shown = true;
  if (show_command == SW_SHOWMAXIMIZED || show_command == SW_SHOWMINNOACTIVE) return show_command;
  return SW_SHOW;
}

}  // namespace

void EnterEditMode(int show_command) {
  ApplicationState& app = App();
  if (!app.edit_window) return;
  if (app.display_mode == kDisplayFullScreen) LeaveFullScreen();
  ShowWindow(app.edit_window, EditShowCommand(show_command));
  ShowWindow(app.view_window, SW_HIDE);
  app.display_mode = kDisplayEdit;
  StopAnimation();
}

void EnterViewMode() {
  ApplicationState& app = App();
  if (app.display_mode == kDisplayFullScreen) LeaveFullScreen();
  ShowWindow(app.view_window, SW_SHOWNORMAL);
  UpdateWindow(app.view_window);
  if (app.edit_window) ShowWindow(app.edit_window, SW_HIDE);
  const bool from_edit = app.display_mode == kDisplayEdit;
  app.display_mode = kDisplayView;
  if (from_edit) RestartAnimation();
}

void EnterFullScreen() {
  // Until the full-screen mode exists the view window stands in for it, so
  // a full-screen start still shows the image.
  ApplicationState& app = App();
  if (app.display_mode == kDisplayFullScreen) return;
  app.mode_before_full_screen = app.display_mode;
  EnterViewMode();
}

void LeaveFullScreen() {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayFullScreen) return;
  app.display_mode = app.mode_before_full_screen;
}
