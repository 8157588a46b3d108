#include "view/navigator_win.h"

#include <windowsx.h>

#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "app/window_classes_win.h"
#include "view/animation_win.h"
#include "view/edit_panes_win.h"
#include "view/navigator_geometry.h"
#include "view/view_control_win.h"
#include "view/view_dc_win.h"
#include "view/view_paint_win.h"
#include "view/view_window_win.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_STATICEDGE;
constexpr COLORREF kFramePenColour = RGB(0x80, 0x80, 0x80);

enum class DragKind { kNone, kPan, kZoom };

// One drag at a time: the navigator has the capture while it lasts.
struct NavigatorDrag {
  DragKind kind = DragKind::kNone;
  ViewPoint press;
  ViewPoint panned;         // image pixels moved so far by this drag
  int32_t slider_start = 0;
  int32_t slider = 0;
};

NavigatorDrag g_drag;

ApplicationState& A() { return App(); }

bool InEditWindow() { return A().display_mode == kDisplayEdit; }
HWND WindowInUse() { return InEditWindow() ? A().edit_window : A().view_window; }

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ClientOnScreen(HWND window, RECT client) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT ClientAreaOf(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return client;
}

NavigatorSite SiteInUse() {
  switch (A().display_mode) {
    case kDisplayEdit: return NavigatorSite::kEditWindow;
    case kDisplayFullScreen: return NavigatorSite::kFullScreen;
    default: return NavigatorSite::kViewWindow;
  }
}

ViewPoint PlaceInUse(HWND navigator) {
  ApplicationState& app = A();
  HWND in_use = WindowInUse();
  RECT outer = {};
  GetWindowRect(in_use, &outer);
  RECT navigator_outer = {};
  GetWindowRect(navigator, &navigator_outer);
  NavigatorPlacementRequest request;
  request.site = SiteInUse();
  request.window = ToScreenRect(outer);
  request.client = ToScreenRect(
      ClientOnScreen(in_use, InEditWindow() ? EditPaneArea() : ClientAreaOf(in_use)));
  request.work_area = ToScreenRect(WorkAreaNear(in_use));
  request.size = {navigator_outer.right - navigator_outer.left,
                  navigator_outer.bottom - navigator_outer.top};
  request.by_hover = app.navigator_by_hover;
  request.inside_panes = app.settings.edit_navigator != 0;
  request.bar_shown = app.bar_shown;
  return NavigatorPlacement(request);
}

void ShowInPlace() {
  ApplicationState& app = A();
  app.navigator_shown = true;
  HWND navigator = app.navigator;
  if (!navigator) return;
  ViewPoint at = PlaceInUse(navigator);
  SetWindowPos(navigator, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(navigator, SW_SHOWNOACTIVATE);
  InvalidateRect(navigator, nullptr, FALSE);
}

void PrepareNavigatorDc(HDC dc) {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  SetROP2(dc, R2_XORPEN);
  SelectObject(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, kFramePenColour);
}

HBRUSH BackgroundInUse() {
  const SettingsValues& s = A().settings;
  return BackgroundBrush(InEditWindow() ? s.edit_background : s.view_background);
}

ViewSize ImageSize() { return ViewHasImage() ? ViewImageSize() : ViewSize{}; }

// The thumbnail as a view of the whole image, so the view's painter draws
// it and fills only what it leaves uncovered.
ViewGeometry ThumbnailView(ViewSize image) {
  NavigatorRect t = NavigatorThumbnail(image);
  ViewGeometry g;
  g.destination_x = t.left;
  g.destination_y = t.top;
  g.destination_width = g.scaled_width = t.width;
  g.destination_height = g.scaled_height = t.height;
  g.source_width = image.width;
  g.source_height = image.height;
  g.client_width = kNavigatorClientWidth;
  g.client_height = kNavigatorClientHeight;
  return g;
}

// XOR with mid grey stays visible on any picture; at least two pixels so a
// tiny shown part of a huge image still leaves a mark.
void DrawFrame(HDC dc, ViewSize image) {
  NavigatorRect f = NavigatorFrame(image, GeometryInUse());
  SelectionGuard hollow(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, f.left, f.top, f.left + (f.width < 2 ? 2 : f.width),
            f.top + (f.height < 2 ? 2 : f.height));
}

// The view in use redraws on every step of a pan; smoothing would lag.
void UseFastStretchInView() { SetPanningStretch(); }

void RestoreViewStretch() {
  ApplyViewStretchMode();
  RepaintView();
}

bool StaysAfterDrag() {
  return InEditWindow() ? A().settings.edit_navigator != 0 : A().navigator_by_hover;
}

ViewPoint PointOf(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

void BeginDrag(HWND window, DragKind kind, LPARAM lparam) {
  if (g_drag.kind != DragKind::kNone || !ViewHasImage()) return;
  g_drag = {};
  g_drag.kind = kind;
  g_drag.press = PointOf(lparam);
  g_drag.slider_start = g_drag.slider = ZoomSliderPositionOf(GeometryInUse().zoom);
  SetCapture(window);
  if (kind == DragKind::kPan) UseFastStretchInView();
}

void PanToPointer(ViewPoint pointer) {
  ViewPoint moved = {pointer.x - g_drag.press.x, pointer.y - g_drag.press.y};
  ViewPoint total = NavigatorPanDelta(ImageSize(), moved);
  int dx = total.x - g_drag.panned.x, dy = total.y - g_drag.panned.y;
  if (dx == 0 && dy == 0) return;
  g_drag.panned = total;
  PanViewBy(dx, dy);
}

void ZoomToPointer(ViewPoint pointer) {
  int32_t slider = ZoomSliderPosition(g_drag.slider_start, g_drag.press, pointer);
  if (slider == g_drag.slider) return;
  g_drag.slider = slider;
  SetViewZoom(ZoomAtSliderPosition(slider));
  RefreshNavigator();
}

void OnMouseMove(LPARAM lparam) {
  if (g_drag.kind == DragKind::kPan) PanToPointer(PointOf(lparam));
  if (g_drag.kind == DragKind::kZoom) ZoomToPointer(PointOf(lparam));
}

// The end of a drag, by a button coming up or by the capture going.
void EndDrag() {
  if (g_drag.kind == DragKind::kNone) return;
  g_drag.kind = DragKind::kNone;
  if (GetCapture() == A().navigator) ReleaseCapture();
  RestoreViewStretch();
  if (!StaysAfterDrag()) HideNavigator();
}

void OnPaint(HWND window) {
  PaintGuard paint(window);
  PaintNavigatorContent(paint.dc());
}

// A foreign DC (a test's bitmap) gets the same preparation as our own.
void OnPrintClient(HDC dc) {
  int saved = SaveDC(dc);
  PrepareNavigatorDc(dc);
  PaintNavigatorContent(dc);
  RestoreDC(dc, saved);
}

}  // namespace

HWND CreateNavigator(HINSTANCE instance, HWND owner) {
  RECT outer = {0, 0, kNavigatorClientWidth, kNavigatorClientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  HWND navigator = CreateWindowExW(kExStyle, kNavigatorClass, nullptr, kStyle, 0, 0,
                                   outer.right - outer.left, outer.bottom - outer.top, owner,
                                   nullptr, instance, nullptr);
  if (!navigator) return nullptr;
  WindowDcGuard own(navigator);
  PrepareNavigatorDc(own.get());
  return navigator;
}

void PaintNavigatorContent(HDC dc) {
  ApplicationState& app = A();
  ViewSize image = ImageSize();
  RECT client = {0, 0, kNavigatorClientWidth, kNavigatorClientHeight};
  ViewGeometry thumbnail = ThumbnailView(image);
  ViewPaintInput input = {image.width > 0 ? &app.current : nullptr, &thumbnail,
                          BackgroundInUse(), nullptr, ShownViewPixels()};
  PaintViewContent(dc, client, input);
  if (image.width > 0) DrawFrame(dc, image);
}

// Every pointer move in the hover zone asks again; once up it stays put.
void ShowNavigatorByHover() {
  if (A().navigator_shown && A().navigator_by_hover) return;
  A().navigator_by_hover = true;
  ShowInPlace();
}

// A navigator already up by hovering stays one after the pan.
void ShowNavigatorWhilePanning() {
  if (!A().navigator_shown) A().navigator_by_hover = false;
  ShowInPlace();
}

void HideNavigator() {
  ApplicationState& app = A();
  app.navigator_shown = false;
  app.navigator_by_hover = false;
  if (!app.navigator) return;
  if (GetCapture() == app.navigator) ReleaseCapture();
  ShowWindow(app.navigator, SW_HIDE);
}

void RefreshNavigator() {
  ApplicationState& app = A();
  if (app.navigator_shown && app.navigator) InvalidateRect(app.navigator, nullptr, FALSE);
}

void ShowEditNavigator() {
  if (!A().settings.edit_navigator) return;
  A().navigator_by_hover = false;
  ShowInPlace();
}

void HideEditNavigator() {
  if (A().settings.edit_navigator) HideNavigator();
}

void ToggleEditNavigator() {
  ApplicationState& app = A();
  if (app.settings.edit_navigator) {
    HideNavigator();
    app.settings.edit_navigator = 0;
  } else {
    app.settings.edit_navigator = 1;
    ShowEditNavigator();
  }
}

LRESULT CALLBACK NavigatorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      BeginDrag(window, DragKind::kPan, lparam);
      return 0;
    case WM_RBUTTONDOWN:
      BeginDrag(window, DragKind::kZoom, lparam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(lparam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED:
      EndDrag();
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      OnPrintClient(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}
