#include "app/display_mode_win.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/window_placement.h"
#include "image/save_preview_win.h"
#include "view/animation_win.h"
#include "view/edit_hooks_win.h"
#include "view/edit_panes_win.h"
#include "view/file_list_window_win.h"
#include "view/full_screen_win.h"
#include "view/hover_frame_win.h"
#include "view/navigator_win.h"
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

// One window is moved onto the monitor of the other when they differ, so
// that a switch never sends the picture to another screen.
void MoveOntoMonitorOf(HWND window, HWND other) {
  HMONITOR target = MonitorFromWindow(other, MONITOR_DEFAULTTONEAREST);
  if (MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) == target) return;
  MONITORINFO info = {sizeof(info)};
  if (!GetMonitorInfoW(target, &info)) return;
  RECT frame;
  GetWindowRect(window, &frame);
  const RECT& work = info.rcWork;
  ScreenRect centred = CentreInWorkArea(
      std::min(frame.right - frame.left, work.right - work.left),
      std::min(frame.bottom - frame.top, work.bottom - work.top),
      {work.left, work.top, work.right, work.bottom});
  SetWindowPos(window, nullptr, centred.left, centred.top, centred.width(), centred.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowEditWindow(int show_command) {
  ApplicationState& app = App();
  app.display_mode = kDisplayEdit;
  InstallEditHooks();
  StopAnimation();
  MoveOntoMonitorOf(app.edit_window, app.view_window);
  ShowWindow(app.edit_window, EditShowCommand(show_command));
  ShowWindow(app.view_window, SW_HIDE);
  app.active_pane = 1;
  LayOutEditPanes();
  RefitViewByNewImageRule();
  SetFocus(app.edit_window);
  if (app.settings.edit_navigator) ShowEditNavigator();
}

// Full screen refits the picture itself, so only a shown view window is
// refitted here.
void LeaveEditWindow(bool show_view) {
  ApplicationState& app = App();
  RemoveEditHooks();
  if (app.settings.edit_navigator) HideEditNavigator();
  app.display_mode = kDisplayView;
  DiscardSavePreview();
  if (app.edit_window) MoveOntoMonitorOf(app.view_window, app.edit_window);
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
