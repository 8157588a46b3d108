#include "view/zoom_rectangle_win.h"

#include "app/app_state.h"
#include "view/mouse_states.h"
#include "view/title_win.h"
#include "view/view_control_win.h"
#include "view/view_dc_win.h"
#include "view/view_zoom.h"
#include "view/view_zoom_rectangle.h"

namespace {

ApplicationState& A() { return App(); }
ViewPoint ToView(POINT p) { return {p.x, p.y}; }

void DrawZoomRectangle(POINT a, POINT b) {
  HDC dc = A().view_dc;
  POINT outline[5] = {a, {b.x, a.y}, b, {a.x, b.y}, a};
  Polyline(dc, outline, 5);
}

POINT ClampedToImage(POINT client) {
  ViewPoint p = ClampIntoDestination(ToView(client), A().view_geometry);
  return {p.x, p.y};
}

}  // namespace

void StartZoomRectangle(HWND window, POINT client) {
  ApplicationState& app = A();
  app.drag_anchor = ClampedToImage(client);
  app.drag_last = app.drag_anchor;
  app.mouse_state = kStateZoomRectangle;
  SetCapture(window);
}

void MoveZoomRectangle(POINT client) {
  ApplicationState& app = A();
  DrawZoomRectangle(app.drag_anchor, app.drag_last);
  app.drag_last = ClampedToImage(client);
  DrawZoomRectangle(app.drag_anchor, app.drag_last);
}

void FinishZoomRectangle() {
  ApplicationState& app = A();
  DrawZoomRectangle(app.drag_anchor, app.drag_last);  // XOR: erases it
  ViewPoint a = ToView(app.drag_anchor), b = ToView(app.drag_last);
  if (!ZoomRectangleExceedsThreshold(a, b, app.settings.drag_threshold)) return;
  ViewSize available = ViewClientSize();
  if (app.display_mode == kDisplayView && app.settings.view_follows_image) {
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(app.view_window, MONITOR_DEFAULTTONEAREST), &info);
    ScreenRect frame = ViewWindowFrame();
    available = {info.rcWork.right - info.rcWork.left - frame.width(),
                 info.rcWork.bottom - info.rcWork.top - frame.height()};
  }
  ZoomFocus focus = ZoomRectangleFocus(a, b, app.view_geometry, ViewImageSize(), available);
  SetZoom(app.view_geometry, ViewImageSize(), focus.zoom);
  app.view_geometry.centre_x = focus.centre.x;
  app.view_geometry.centre_y = focus.centre.y;
  ApplyViewStretchMode();
  if (app.display_mode == kDisplayView && app.settings.view_follows_image) {
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(app.view_window, MONITOR_DEFAULTTONEAREST), &info);
    FitViewWindow(info.rcWork);
  } else {
    LayOutViewWindow(true);
  }
  RepaintView();
  RefreshTitle();
}
