#include "view/view_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "app/commands_win.h"
#include "app/drop_files_win.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_popup_win.h"
#include "app/shutdown_win.h"
#include "app/single_instance_win.h"
#include "app/window_classes_win.h"
#include "app/window_placement.h"
#include "image/folder_watch_win.h"
#include "image/image_buffer.h"
#include "lang/string_ids.h"
#include "view/animation_win.h"
#include "view/view_control_win.h"
#include "view/view_dc_win.h"
#include "view/view_mouse_win.h"
#include "view/view_paint_win.h"
#include "view/view_sizing_win.h"

namespace {

constexpr DWORD kStyleWithTitle = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                                  WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kStyleWithoutTitle = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX |
                                     WS_MAXIMIZEBOX;
constexpr int kViewBarId = 1000;
constexpr int kToolTipDelayMs = 300;

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

HWND CreateToolTip(HWND owner) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                             nullptr, App().instance, nullptr);
  if (tip) {
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, kToolTipDelayMs);
    SendMessageW(tip, TTM_SETTIPBKCOLOR, RGB(255, 255, 255), 0);
    if (App().ui_font) {
      SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(App().ui_font.get()), FALSE);
    }
  }
  return tip;
}

void OnCreate(HWND window) {
  ApplicationState& app = App();
  app.view_window = window;
  app.view_dc = GetDC(window);  // an own-DC class: this DC stays valid
  PrepareViewDc(app.view_dc, app.settings.stretch_mode, app.settings.view_background,
                app.ui_font.get());
  for (HWND& tip : app.tooltips) tip = CreateToolTip(window);
  app.view_bar = CreateWindowExW(0, kViewBarClass, nullptr, WS_CHILD, 0, 0, 400, 24, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewBarId)),
                                 app.instance, nullptr);
}

void Paint(HWND window) {
  ApplicationState& app = App();
  PaintGuard paint(window);
  RECT client;
  GetClientRect(window, &client);
  std::wstring note = app.open_failed ? LanguageString(app.language.get(), IDS_OPEN_FAILED_NOTE)
                                      : std::wstring();
  ViewPaintInput input = {&app.current, &app.view_geometry,
                          BackgroundBrush(app.settings.view_background), note.c_str(),
                          ShownViewPixels()};
  PaintViewContent(paint.dc(), client, input);
}

POINT ClientPoint(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// Mouse and sizing messages; false when the message is not one of them.
bool HandlePointerMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      OnViewButtonDown(window, message == WM_LBUTTONDOWN, wparam, ClientPoint(lparam));
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      OnViewButtonUp(window, message == WM_LBUTTONUP, ClientPoint(lparam));
      return true;
    case WM_MOUSEMOVE:
      OnViewMouseMove(window, wparam, ClientPoint(lparam));
      return true;
    case WM_LBUTTONDBLCLK:
      OnViewDoubleClick(wparam, ClientPoint(lparam));
      return true;
    case WM_MBUTTONUP:
      OnViewMiddleButton(wparam, ClientPoint(lparam));
      return true;
    case WM_XBUTTONUP:
      OnViewExtraButton(HIWORD(wparam) == XBUTTON1 ? 1 : 2, ClientPoint(lparam));
      return true;
    case WM_MOUSEWHEEL:
      OnViewWheel(window, GET_WHEEL_DELTA_WPARAM(wparam), GET_KEYSTATE_WPARAM(wparam),
                  ClientPoint(lparam));
      return true;
    case WM_SIZING:
      OnViewSizing(wparam, reinterpret_cast<RECT*>(lparam));
      return true;
    case WM_SIZE:
      OnViewSize();
      return true;
    case WM_GETMINMAXINFO:
      OnViewMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lparam));
      return true;
  }
  return false;
}

}  // namespace

RECT WorkAreaNear(HWND window) {
  HMONITOR monitor = nullptr;
  if (window) {
    monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT pointer = {};
    GetCursorPos(&pointer);
    monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info = {sizeof(info)};
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

HWND CreateViewWindow(HINSTANCE instance) {
  const SettingsValues& s = App().settings;
  ScreenRect work = ToScreenRect(WorkAreaNear(nullptr));
  DWORD style = s.show_title_bar ? kStyleWithTitle : kStyleWithoutTitle;
  DWORD ex_style = WS_EX_APPWINDOW | WS_EX_ACCEPTFILES | (s.always_on_top ? WS_EX_TOPMOST : 0);

  ScreenRect placed;
  if (s.view_follows_image) {
    RECT frame = {0, 0, kEmptyCanvasWidth, kEmptyCanvasHeight};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    placed = CentreInWorkArea(frame.right - frame.left, frame.bottom - frame.top, work);
  } else {
    placed = FitToWorkArea(s.view_left, s.view_top, s.view_width, s.view_height, work);
  }
  return CreateWindowExW(ex_style, kViewWindowClass, L"Ovira", style, placed.left, placed.top,
                         placed.width(), placed.height(), nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (HandlePointerMessage(window, message, wparam, lparam)) {
    // Sizing messages still need the default handling of the frame.
    if (message != WM_SIZING && message != WM_GETMINMAXINFO) return 0;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area; erasing would flicker
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetViewCursor()) return TRUE;
      break;
    case WM_COMMAND:
      OnViewWindowCommand(wparam);
      return 0;
    case WM_CONTEXTMENU:
      if (ShowContextMenuForKey(window, lparam)) return 0;
      break;
    case WM_COPYDATA:
      if (IsWindowEnabled(window)) {
        HandleCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      }
      return 1;
    case WM_TIMER:
      if (wparam == kAnimationTimer) OnAnimationTick();
      return 0;
    case WM_DROPFILES:
      HandleDroppedFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_ACTIVATEAPP:
      // Another program may have changed the folder meanwhile.
      if (wparam) CheckFolderForChanges();
      return 0;
    case WM_CLOSE:
      CloseProgram();
      return 0;
    case WM_ENDSESSION:
      if (wparam) EndSession();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
