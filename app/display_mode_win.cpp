#include "app/display_mode_win.h"

#include "app/app_state.h"
#include "image/save_preview_win.h"
#include "view/animation_win.h"
#include "view/file_list_window_win.h"
#include "view/full_screen_win.h"
#include "view/hover_frame_win.h"
#include "view/slideshow_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

int EditShowCommand(int show_command) {
  ApplicationState& app = App();
  if (!app.edit_window_shown && app.settings.edit_maximised) show_command = SW_SHOWMAXIMIZED;
  app.edit_window_shown = true;
  if (show_command == SW_SHOWMAXIMIZED || show_command == SW_SHOWMINNOACTIVE) return show_command;
  return SW_SHOW;
}

void ShowEditWindow(int show_command) {
  ApplicationState& app = App();
  app.display_mode = kDisplayEdit;
  StopAnimation();
  ShowWindow(app.edit_window, EditShowCommand(show_command));
  ShowWindow(app.view_window, SW_HIDE);
}

// Full screen refits the picture itself, so only a shown view window is
// refitted here.
void LeaveEditWindow(bool show_view) {
  ApplicationState& app = App();
  app.display_mode = kDisplayView;
  DiscardSavePreview();
  if (show_view) {
    ShowWindow(app.view_window, SW_SHOWNORMAL);
    RefitViewByNewImageRule();
    UpdateWindow(app.view_window);
  }
  if (app.edit_window) ShowWindow(app.edit_window, SW_HIDE);
  RestartAnimation();
}

void SwitchToView() {
  switch (App().display_mode) {
    case kDisplayEdit: LeaveEditWindow(true); break;
    case kDisplayFullScreen: LeaveFullScreen(true); break;
    case kDisplayView: break;
  }
}

void SwitchToFullScreen() {
  ApplicationState& app = App();
  if (app.display_mode == kDisplayFullScreen) return;
  app.mode_before_full_screen = app.display_mode;
  if (app.display_mode == kDisplayEdit) {
    LeaveEditWindow(false);
  } else {
    TakeAwayHoverFrame();
  }
  EnterFullScreen();
}

void SwitchToEdit(int show_command) {
  ApplicationState& app = App();
  if (!app.edit_window) return;
  switch (app.display_mode) {
    case kDisplayEdit: DiscardSavePreview(); return;
    case kDisplayFullScreen: LeaveFullScreen(false); break;
    case kDisplayView: TakeAwayHoverFrame(); break;
  }
  ShowEditWindow(show_command);
}

}  // namespace

void SwitchDisplayMode(DisplayMode target, int edit_show_command) {
  switch (target) {
    case kDisplayView: SwitchToView(); break;
    case kDisplayFullScreen: SwitchToFullScreen(); break;
    case kDisplayEdit: SwitchToEdit(edit_show_command); break;
  }
  PlaceFileListWindow();
  RefreshTitle();
}

void ToggleFullScreen() {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayFullScreen) {
    SwitchDisplayMode(kDisplayFullScreen);
    return;
  }
  StopSlideshow();
  SwitchDisplayMode(app.mode_before_full_screen);
}
