#include "view/view_control_win.h"

#include "app/app_state.h"
#include "view/animation_win.h"
#include "view/edit_panes_win.h"
#include "view/navigator_win.h"
#include "view/pane_layout.h"
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

bool InEditWindow() { return A().display_mode == kDisplayEdit; }

ViewGeometry& G() { return InEditWindow() ? A().edit_geometry : A().view_geometry; }

RECT MonitorRect(bool work_area) {
  return work_area ? WorkAreaNear(A().view_window) : MonitorRectNear(A().view_window);
}

ViewSize SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// What a fit measures against: the whole monitor in full screen; the pane in
// the edit window, where the monitor would leave a picture larger than the
// pane it is fitted to; the work area less the frame for a window that
// follows the image; the client area otherwise.
ViewSize AvailableForFit() {
  if (InEditWindow()) return ViewClientSize();
  if (A().display_mode != kDisplayView) return SizeOf(MonitorRect(false));
  if (!FollowsImage()) return ViewClientSize();
  ViewSize work = SizeOf(MonitorRect(true));
  ScreenRect frame = ViewWindowFrame();
  return {work.width - frame.width(), work.height - frame.height()};
}

void SetZoomAndScaled(double zoom) { SetZoom(G(), ViewImageSize(), zoom); }

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

ViewGeometry& GeometryInUse() { return G(); }

void SetViewZoom(double zoom) {
  if (!ViewHasImage()) return;
  SetZoomAndScaled(zoom);
  SettleAfterZoom();
}

ViewSize ViewImageSize() { return {A().current.header.width, A().current.header.height}; }

ViewSize ViewClientSize() {
  if (InEditWindow()) return {A().pane_client.cx, A().pane_client.cy};
  RECT client = {};
  GetClientRect(A().view_window, &client);
  return SizeOf(client);
}

void LayOutViewWindow(bool refresh_navigator) {
  if (InEditWindow()) return LayOutEditView();
  LayOutView(A().view_geometry, ViewImageSize(), ViewClientSize());
  if (refresh_navigator) RefreshNavigator();
}

void ApplyViewStretchMode() {
  const ViewGeometry& g = G();
  ViewSize image = ViewImageSize();
  bool natural = g.scaled_width == image.width && g.scaled_height == image.height;
  if (InEditWindow()) return SetEditStretchMode(natural, false);
  SetViewStretchMode(A().view_dc, natural, A().settings.stretch_mode);
}

void SetPanningStretch() {
  if (InEditWindow()) return SetEditStretchMode(false, true);
  SetPanningStretchMode(A().view_dc);
}

void RepaintView() {
  if (InEditWindow()) return RepaintEditPanes();
  InvalidateRect(A().view_window, nullptr, FALSE);
}

void RunViewZoomCommand(int command, const POINT* pointer) {
  if (!ViewHasImage()) return;
  ViewGeometry& g = G();
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
  PanDelta step = PanCommandStep(command, G(), A().pan_step_shift);
  if (step.dx == 0 && step.dy == 0) return;
  PanViewBy(step.dx, step.dy);
}

void PanViewBy(int dx, int dy) {
  if (!ViewHasImage()) return;
  PanBy(G(), ViewImageSize(), dx, dy);
  // The scroll bars and the navigator follow the shown part.
  if (InEditWindow()) {
    LayOutEditView();
  } else {
    RefreshNavigator();
  }
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
  if (InEditWindow()) {
    return {s.edit_keep_zoom != 0, s.edit_shrink_large != 0, s.edit_enlarge_small != 0};
  }
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
  ShowNewImage(G(), ViewImageSize(), available, NewImageRuleOfMode());
  ViewSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  app.pan_step_shift = InEditWindow() ? EditPanStepShift(ViewImageSize(), screen)
                                      : PanStepShift(ViewImageSize(), screen);
  ApplyViewStretchMode();
}

// The new-image rule measures a pane without the scroll bars the new zoom
// may or may not need.
ViewSize AvailableForNewImage() {
  return InEditWindow() ? EditPaneFullClient() : AvailableForFit();
}

}  // namespace

void RefitViewByNewImageRule() {
  if (ViewHasImage()) FitImageByNewImageRule(AvailableForNewImage());
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
