#include "view/edit_panes_win.h"

#include <algorithm>

#include "adjust/adjustment_run_win.h"
#include "adjust/adjustment_win.h"
#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/window_classes_win.h"
#include "lang/string_ids.h"
#include "view/eyedropper_win.h"
#include "view/navigator_win.h"
#include "view/pane_layout.h"
#include "view/tool_strip_win.h"
#include "view/view_control_win.h"
#include "view/view_dc_win.h"
#include "view/view_mouse_win.h"
#include "view/view_paint_win.h"

namespace {

constexpr DWORD kPaneStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kPaneExStyle = WS_EX_STATICEDGE;

ApplicationState& A() { return App(); }

ViewSize SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

POINT ClientPoint(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

bool ScrollBarsOn() { return A().settings.edit_scroll_bars != 0; }

void Place(HWND pane, const PaneRect& place, const RECT& area) {
  if (!pane) return;
  if (!place.shown) {
    ShowWindow(pane, SW_HIDE);
    return;
  }
  SetWindowPos(pane, nullptr, area.left + place.left, area.top + place.top, place.width,
               place.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

ViewSize EditPaneFullClient() {
  PanePlaces places = PlacePanes(SizeOf(EditPaneArea()), A().active_pane);
  const PaneRect& shown = places.source.shown ? places.source : places.preview;
  RECT edge = {0, 0, 0, 0};
  AdjustWindowRectEx(&edge, kPaneStyle, FALSE, kPaneExStyle);
  return PaneClient({shown.width, shown.height}, -edge.left, -edge.top);
}

namespace {

// A bar that is not needed gets an empty range, which the system hides.
void SetBar(HWND pane, int bar, bool needed, int32_t image_extent, int32_t page,
            int32_t position) {
  SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
  if (needed) {
    info.nMax = image_extent;
    info.nPage = static_cast<UINT>(page) + 1;  // the range includes its last value
    info.nPos = position;
  }
  SetScrollInfo(pane, bar, &info, TRUE);
}

void UpdateScrollBars(const PaneScrollBars& bars) {
  const ViewGeometry& g = A().edit_geometry;
  const bool on = ScrollBarsOn() && A().current.pixels;
  for (HWND pane : {A().source_pane, A().preview_pane}) {
    if (!pane) continue;
    SetBar(pane, SB_HORZ, on && bars.horizontal, A().current.header.width, g.source_width,
           g.source_x);
    SetBar(pane, SB_VERT, on && bars.vertical, A().current.header.height, g.source_height,
           g.source_y);
  }
}

ScrollRequest RequestOf(WPARAM wparam) {
  int code = LOWORD(wparam);
  return code > SB_ENDSCROLL ? ScrollRequest::kEndScroll : static_cast<ScrollRequest>(code);
}

// The thumb's track position is 16 bits in the message; the bar knows all 32.
int32_t TrackPosition(HWND pane, int bar) {
  SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
  GetScrollInfo(pane, bar, &info);
  return info.nTrackPos;
}

void OnScroll(HWND pane, int bar, WPARAM wparam) {
  ApplicationState& app = A();
  if (!app.current.pixels) return;
  const ViewGeometry& g = app.edit_geometry;
  const bool across = bar == SB_HORZ;
  const int32_t position = across ? g.source_x : g.source_y;
  const int32_t target = ScrollTarget(RequestOf(wparam), position,
                                      across ? g.source_width : g.source_height,
                                      across ? app.current.header.width : app.current.header.height,
                                      TrackPosition(pane, bar));
  if (target == position) return;
  PanViewBy(across ? target - position : 0, across ? 0 : target - position);
}

HBRUSH PaneBackground() { return BackgroundBrush(A().settings.edit_background); }

void PaintPaneInto(HWND pane, HDC dc) {
  ApplicationState& app = A();
  RECT client;
  GetClientRect(pane, &client);
  const bool source = pane == app.source_pane;
  const ImageBuffer* image = source ? &app.current : &app.result;
  std::wstring note = source && app.open_failed
                          ? LanguageString(app.language.get(), IDS_OPEN_FAILED_NOTE)
                          : std::wstring();
  ViewPaintInput input = {image, &app.edit_geometry, PaneBackground(), note.c_str()};
  PaintViewContent(dc, client, input);
  if (!source && app.adjustment && app.result.pixels) app.adjustment->DrawOverlay();
}

void PaintPane(HWND pane) {
  PaintGuard paint(pane);
  PaintPaneInto(pane, paint.dc());
}

HWND CreatePane(HWND edit, const wchar_t* class_name) {
  HWND pane = CreateWindowExW(kPaneExStyle, class_name, nullptr, kPaneStyle, 0, 0, 1, 1, edit,
                              nullptr, A().instance, nullptr);
  if (pane) {
    PrepareViewDc(GetDC(pane), A().settings.stretch_mode, A().settings.edit_background,
                  A().ui_font.get());
  }
  return pane;
}

bool HandlePaneMouse(HWND pane, UINT message, WPARAM wparam, LPARAM lparam) {
  POINT p = ClientPoint(lparam);
  if (HandleEyedropperMouse(pane, message, p)) return true;
  if (pane == A().preview_pane && HandleAdjustmentPaneMouse(message, wparam, p)) return true;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetFocus(A().edit_window);
      OnViewButtonDown(pane, message == WM_LBUTTONDOWN, wparam, p);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      OnViewButtonUp(pane, message == WM_LBUTTONUP, p);
      return true;
    case WM_MOUSEMOVE:
      OnViewMouseMove(pane, wparam, p);
      return true;
    case WM_LBUTTONDBLCLK:
      OnViewDoubleClick(wparam, p);
      return true;
    case WM_MBUTTONUP:
      OnViewMiddleButton(wparam, p);
      return true;
    case WM_XBUTTONUP:
      OnViewExtraButton(HIWORD(wparam) == XBUTTON1 ? 1 : 2, p);
      return true;
  }
  return false;
}

}  // namespace

RECT EditPaneArea() {
  RECT area = {};
  if (!App().edit_window) return area;
  GetClientRect(App().edit_window, &area);
  area.top = std::min(area.bottom, static_cast<LONG>(ToolStripHeight()));
  return area;
}

void CreateEditPanes(HWND edit) {
  ApplicationState& app = A();
  app.source_pane = CreatePane(edit, kSourcePaneClass);
  app.preview_pane = CreatePane(edit, kPreviewPaneClass);
  app.active_pane = 1;
}

void LayOutEditPanes() {
  ApplicationState& app = A();
  RECT area = EditPaneArea();
  PanePlaces places = PlacePanes(SizeOf(area), app.active_pane);
  Place(app.source_pane, places.source, area);
  Place(app.preview_pane, places.preview, area);
  if (app.current.pixels) {
    ViewGeometry& g = app.edit_geometry;
    SetZoom(g, ViewImageSize(), g.zoom);
    ApplyViewStretchMode();
  }
  LayOutEditView();
  RepaintEditPanes();
}

void LayOutEditView() {
  ApplicationState& app = A();
  ViewGeometry& g = app.edit_geometry;
  ViewSize full = EditPaneFullClient();
  PaneScrollBars bars = {false, false, full};
  if (ScrollBarsOn()) {
    bars = NeededScrollBars(full, {g.scaled_width, g.scaled_height},
                            GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  }
  app.pane_client = {bars.client.width, bars.client.height};
  LayOutView(g, ViewImageSize(), bars.client);
  UpdateScrollBars(bars);
  RefreshNavigator();
}

void RepaintEditPanes() {
  for (HWND pane : {A().source_pane, A().preview_pane}) {
    if (pane) InvalidateRect(pane, nullptr, FALSE);
  }
}

void SetEditStretchMode(bool natural_size, bool panning) {
  for (HWND pane : {A().source_pane, A().preview_pane}) {
    if (!pane) continue;
    HDC dc = GetDC(pane);  // the class's own DC: the mode stays with it
    if (panning) {
      SetPanningStretchMode(dc);
    } else {
      SetViewStretchMode(dc, natural_size, A().settings.stretch_mode);
    }
  }
}

void SetEditBackground(int background) {
  ApplicationState& app = A();
  app.settings.edit_background = background;
  for (HWND pane : {app.source_pane, app.preview_pane}) {
    if (pane) SetTextColor(GetDC(pane), BackgroundTextColour(background));
  }
  if (app.edit_window) InvalidateRect(app.edit_window, nullptr, TRUE);
  RepaintEditPanes();
}

void ShowPreviewInPanes(bool made) {
  ApplicationState& app = A();
  if (app.display_mode != kDisplayEdit) return;
  if (made && app.active_pane == 1) {
    SetActivePane(0);
  } else {
    RepaintEditPanes();
  }
}

void SetActivePane(int pane) {
  ApplicationState& app = A();
  if (pane == app.active_pane || pane < 0 || pane > 2) return;
  app.active_pane = pane;
  LayOutEditPanes();
  RefreshToolStrip();
}

void ToggleEditScrollBars() {
  ApplicationState& app = A();
  app.settings.edit_scroll_bars = !app.settings.edit_scroll_bars;
  LayOutEditView();
  RepaintEditPanes();
}

void OnEditWheel(int delta, WPARAM keys, POINT screen) {
  ApplicationState& app = A();
  HWND pane = app.active_pane == 2 ? app.preview_pane : app.source_pane;
  if (app.active_pane == 0) {
    RECT preview;
    GetWindowRect(app.preview_pane, &preview);
    if (PtInRect(&preview, screen)) pane = app.preview_pane;
  }
  if (pane) OnViewWheel(pane, delta, keys, screen);
}

LRESULT CALLBACK EditPaneProc(HWND pane, UINT message, WPARAM wparam, LPARAM lparam) {
  if (HandlePaneMouse(pane, message, wparam, lparam)) return 0;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintPane(pane);
      return 0;
    case WM_PRINTCLIENT:
      PaintPaneInto(pane, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETCURSOR:
      if (HandleEyedropperMouse(pane, message, {})) return TRUE;
      if (LOWORD(lparam) == HTCLIENT && pane == A().preview_pane && SetAdjustmentPaneCursor()) {
        return TRUE;
      }
      if (LOWORD(lparam) == HTCLIENT && SetViewCursor()) return TRUE;
      break;
    case WM_CAPTURECHANGED:
      HandleEyedropperMouse(pane, message, {});
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      OnScroll(pane, message == WM_HSCROLL ? SB_HORZ : SB_VERT, wparam);
      return 0;
  }
  return DefWindowProcW(pane, message, wparam, lparam);
}
