#include "view/hover_frame_win.h"

#include "app/app_state.h"
#include "view/title_tip_win.h"
#include "view/view_control_win.h"
#include "view/view_styles_win.h"
#include "view/view_window_win.h"

namespace {

bool FrameWanted() {
  const ApplicationState& app = App();
  return app.display_mode == kDisplayView && !app.settings.show_title_bar &&
         app.settings.title_bar_on_hover;
}

void Track(HWND window, DWORD flags) {
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | flags, window, HOVER_DEFAULT};
  TrackMouseEvent(&track);
}

// A window that follows the image fits itself around it again; any other
// keeps its size and lays the picture out anew.
void RefitAfterChromeChange() {
  ApplicationState& app = App();
  if (app.settings.view_follows_image && ViewHasImage()) {
    FitViewWindow(WorkAreaNear(app.view_window));
  } else {
    LayOutViewWindow(true);
  }
  RepaintView();
}

void ShowHoverFrame() {
  App().hover_frame_shown = true;
  ApplyViewStyles();
}

// Crossing from the client onto the frame ends the client's tracking before
// the frame's begins; the pointer is still over the window then.
bool PointerOverWindow(HWND window) {
  POINT pointer;
  if (!GetCursorPos(&pointer)) return false;
  RECT outer;
  GetWindowRect(window, &outer);
  return PtInRect(&outer, pointer) != 0;
}

bool OverTitleTipArea(WPARAM hit) {
  if (App().settings.show_title_bar) return hit == HTSYSMENU;
  return hit == HTBORDER || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT);
}

}  // namespace

void ToggleTitleBar() {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayView) return;
  app.hover_frame_shown = false;
  app.settings.show_title_bar = !app.settings.show_title_bar;
  ApplyViewStyles();
  RefitAfterChromeChange();
}

void ToggleHoverFrame() {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayView || app.settings.show_title_bar) return;
  app.settings.title_bar_on_hover = !app.settings.title_bar_on_hover;
  if (!app.settings.title_bar_on_hover) TakeAwayHoverFrame();
  RefitAfterChromeChange();
}

void TakeAwayHoverFrame() {
  ApplicationState& app = App();
  if (!app.hover_frame_shown) return;
  app.hover_frame_shown = false;
  ApplyViewStyles();
}

void OnViewClientHover(HWND window) {
  ApplicationState& app = App();
  HideTitleTip();
  if (!FrameWanted()) return;
  if (!app.client_tracked) {
    Track(window, 0);
    app.client_tracked = true;
  }
  if (!app.hover_frame_shown) ShowHoverFrame();
}

void OnViewFrameHover(HWND window, WPARAM hit, POINT screen) {
  ApplicationState& app = App();
  if (!app.nonclient_tracked) {
    Track(window, TME_NONCLIENT);
    app.nonclient_tracked = true;
  }
  if (app.display_mode == kDisplayView && ViewHasImage() && OverTitleTipArea(hit)) {
    ShowTitleTip(screen);
  } else {
    HideTitleTip();
  }
}

void OnViewPointerLeft(HWND window, bool from_frame) {
  ApplicationState& app = App();
  if (from_frame) {
    app.nonclient_tracked = false;
    HideTitleTip();
  } else {
    app.client_tracked = false;
  }
  if (app.client_tracked || app.nonclient_tracked || app.in_size_move) return;
  if (!PointerOverWindow(window)) TakeAwayHoverFrame();
}

void OnViewSizeMoveLoop(bool entering) {
  App().in_size_move = entering;
  if (!entering) TakeAwayHoverFrame();
}
