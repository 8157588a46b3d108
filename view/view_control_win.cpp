#include "view/view_control_win.h"

#include "app/app_state.h"
#include "view/animation_win.h"
#include "view/navigator_win.h"
#include "view/title_win.h"
#include "view/view_cursor_win.h"
#include "view/view_dc_win.h"
#include "view/view_pan.h"
#include "view/view_window_win.h"
#include "view/view_window_fit.h"
#include "view/view_zoom.h"

namespace {

ApplicationState& A() { return App(); }

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool FollowsImage() { return A().display_mode == kDisplayView && A().settings.view_follows_image; }

RECT MonitorRect(bool work_area) {
  return work_area ? WorkAreaNear(A().view_window) : MonitorRectNear(A().view_window);
}

ViewSize SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// What a fit measures against: the whole monitor in the edit window and in
// full screen; the work area less the frame for a window that follows the
// image; the client area otherwise.
ViewSize AvailableForFit() {
  if (A().display_mode != kDisplayView) return SizeOf(MonitorRect(false));
  if (!FollowsImage()) return ViewClientSize();
  ViewSize work = SizeOf(MonitorRect(true));
  ScreenRect frame = ViewWindowFrame();
  return {work.width - frame.width(), work.height - frame.height()};
}

void SetZoomAndScaled(double zoom) { SetZoom(A().view_geometry, ViewImageSize(), zoom); }

// After any zoom change: stretch mode, then the layout the mode asks for.
void SettleAfterZoom() {
  ApplyViewStretchMode();
  if (A().display_mode != kDisplayView) {
    LayOutViewWindow(false);
  } else if (FollowsImage()) {
    FitViewWindow(MonitorRect(true));
  } else {
    LayOutViewWindow(true);
  }
  RepaintView();
  RefreshTitle();
}

}  // namespace

bool ViewHasImage() { return A().current.pixels != nullptr; }

const ViewGeometry& GeometryInUse() {
  return A().display_mode == kDisplayEdit ? A().edit_geometry : A().view_geometry;
}

void SetViewZoom(double zoom) {
  if (!ViewHasImage()) return;
  SetZoomAndScaled(zoom);
  SettleAfterZoom();
}

ViewSize ViewImageSize() { return {A().current.header.width, A().current.header.height}; }

ViewSize ViewClientSize() {
  RECT client = {};
  GetClientRect(A().view_window, &client);
  return SizeOf(client);
}

void LayOutViewWindow(bool refresh_navigator) {
  LayOutView(A().view_geometry, ViewImageSize(), ViewClientSize());
  if (refresh_navigator) RefreshNavigator();
}

void ApplyViewStretchMode() {
  const ViewGeometry& g = A().view_geometry;
  ViewSize image = ViewImageSize();
  bool natural = g.scaled_width == image.width && g.scaled_height == image.height;
  SetViewStretchMode(A().view_dc, natural, A().settings.stretch_mode);
}

void RepaintView() { InvalidateRect(A().view_window, nullptr, FALSE); }

void RunViewZoomCommand(int command, const POINT* pointer) {
  if (!ViewHasImage()) return;
  ViewGeometry& g = A().view_geometry;
  ZoomTarget target = TargetZoom(command, g.zoom, ViewImageSize(), AvailableForFit());
  if (!target.changes) return;
  if (pointer && ZoomsAboutPointer(command, g.zoom)) {
    ViewPoint centre = CentreForPointerZoom({pointer->x, pointer->y}, g, ViewImageSize(),
                                            target.zoom);
    g.centre_x = centre.x;
    g.centre_y = centre.y;
  }
  SetZoomAndScaled(target.zoom);
  SettleAfterZoom();
}

void RunViewPanCommand(int command) {
  if (!ViewHasImage()) return;
  PanDelta step = PanCommandStep(command, A().view_geometry, A().pan_step_shift);
  if (step.dx == 0 && step.dy == 0) return;
  PanViewBy(step.dx, step.dy);
}

void PanViewBy(int dx, int dy) {
  if (!ViewHasImage()) return;
  PanBy(A().view_geometry, ViewImageSize(), dx, dy);
  RefreshNavigator();
  RepaintView();
}

ScreenRect ViewWindowFrame() {
  HWND view = A().view_window;
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(view, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(view, GWL_EXSTYLE)));
  return ToScreenRect(frame);
}

void FitViewWindow(const RECT& area) {
  ApplicationState& app = A();
  HWND view = app.view_window;
  RECT client;
  GetClientRect(view, &client);
  POINT centre = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  ClientToScreen(view, &centre);
  ScreenRect frame = ViewWindowFrame();
  WindowFitRequest request;
  request.client_centre = {centre.x, centre.y};
  request.scaled = {app.view_geometry.scaled_width, app.view_geometry.scaled_height};
  request.frame = frame;
  request.title_bar_shown = app.settings.show_title_bar != 0;
  request.minimum_client_width = GetSystemMetrics(SM_CXMIN) - frame.width();
  request.area = ToScreenRect(area);
  ScreenRect placed = FitWindow(request);
  app.fitted_window = {placed.width(), placed.height()};
  app.sizing_by_program = true;
  SetWindowPos(view, nullptr, placed.left, placed.top, placed.width(), placed.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  app.sizing_by_program = false;
  LayOutViewWindow(true);
}

namespace {

NewImageRule NewImageRuleOfMode() {
  const SettingsValues& s = A().settings;
  if (A().display_mode != kDisplayView) {
    return {s.fullscreen_keep_zoom != 0, s.fullscreen_shrink_large != 0,
            s.fullscreen_enlarge_small != 0};
  }
  return {s.window_keep_zoom != 0, s.window_shrink_large != 0, s.window_enlarge_small != 0};
}

// The zoom and centre the new-image rule gives against `available`, and
// what follows from the zoom before any layout.
void FitImageByNewImageRule(ViewSize available) {
  ApplicationState& app = A();
  ShowNewImage(app.view_geometry, ViewImageSize(), available, NewImageRuleOfMode());
  app.pan_step_shift = PanStepShift(
      ViewImageSize(), {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  ApplyViewStretchMode();
}

}  // namespace

void RefitViewByNewImageRule() {
  if (ViewHasImage()) FitImageByNewImageRule(AvailableForFit());
  if (FollowsImage() && ViewHasImage()) {
    FitViewWindow(MonitorRect(true));
  } else {
    LayOutViewWindow(A().display_mode == kDisplayView);
  }
  RepaintView();
}

void ShowNewViewImage(bool mark_modified) {
  ApplicationState& app = A();
  RefitViewByNewImageRule();
  app.open_failed = false;
  if (mark_modified) app.modified = true;
  RestartAnimation();
}

void RefitFollowingWindow(const RECT& area) {
  if (!FollowsImage()) return;
  ViewSize size = SizeOf(area);
  ScreenRect frame = ViewWindowFrame();
  FitImageByNewImageRule({size.width - frame.width(), size.height - frame.height()});
  FitViewWindow(area);
  RepaintView();
  RefreshTitle();
}

void SetViewBackground(int background) {
  ApplicationState& app = A();
  app.settings.view_background = background;
  SetTextColor(app.view_dc, BackgroundTextColour(background));
  RepaintView();
}

void ShowViewBar() {
  ApplicationState& app = A();
  app.bar_shown = true;
  ShowViewCursor();
  if (app.navigator_by_hover) HideNavigator();
}
