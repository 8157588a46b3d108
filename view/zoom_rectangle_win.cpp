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

// The window the rectangle is drawn in: the view window or a pane, each
// with its own device context prepared with the XOR pen.
HWND g_window = nullptr;

void DrawZoomRectangle(POINT a, POINT b) {
  if (!g_window) return;
  HDC dc = GetDC(g_window);
  POINT outline[5] = {a, {b.x, a.y}, b, {a.x, b.y}, a};
  Polyline(dc, outline, 5);
}

POINT ClampedToImage(POINT client) {
  ViewPoint p = ClampIntoDestination(ToView(client), GeometryInUse());
  return {p.x, p.y};
}

}  // namespace

void StartZoomRectangle(HWND window, POINT client) {
  ApplicationState& app = A();
  g_window = window;
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

void CancelZoomRectangle() {
  ApplicationState& app = A();
  DrawZoomRectangle(app.drag_anchor, app.drag_last);  // XOR: erases it
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
  ViewGeometry& g = GeometryInUse();
  ZoomFocus focus = ZoomRectangleFocus(a, b, g, ViewImageSize(), available);
  SetZoom(g, ViewImageSize(), focus.zoom);
  g.centre_x = focus.centre.x;
  g.centre_y = focus.centre.y;
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
