#include "view/view_window_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/app_state.h"
#include "app/command_seams_win.h"
#include "app/commands_win.h"
#include "app/drop_files_win.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_popup_win.h"
#include "app/shutdown_win.h"
#include "app/single_instance_win.h"
#include "app/window_classes_win.h"
#include "app/window_placement.h"
#include "image/archive_list_win.h"
#include "image/folder_watch_win.h"
#include "image/image_buffer.h"
#include "lang/string_ids.h"
#include "view/animation_win.h"
#include "view/hover_frame_win.h"
#include "view/slideshow_win.h"
#include "view/title_tip_win.h"
#include "view/view_bar_win.h"
#include "view/view_control_win.h"
#include "view/view_dc_win.h"
#include "view/view_mouse_win.h"
#include "view/view_paint_win.h"
#include "view/view_sizing_win.h"
#include "view/view_styles_win.h"

namespace {

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
  InstallTitleTip(app.tooltips[1], window);
  CreateViewBar(window);  // it records itself in the application state as it is made
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
      OnViewClientHover(window);
      return true;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
      OnViewPointerLeft(window, message == WM_NCMOUSELEAVE);
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

// Whatever shows only while the user is with us goes when another program
// takes over.
void OnApplicationDeactivated() {
  StopSlideshow();
  TakeAwayHoverFrame();
  HideViewBar();
}

bool IsFrameHit(WPARAM hit) { return hit != HTCLIENT && hit != HTNOWHERE; }

// A double click on the caption and the system's maximise ask for full
// screen; in full screen the system's restore leaves it. A minimised full
// screen restores to full screen.
bool HandleSystemCommand(WPARAM command) {
  ApplicationState& app = App();
  bool full_screen = app.display_mode == kDisplayFullScreen;
  switch (command & 0xFFF0) {
    case SC_MAXIMIZE:
      if (!full_screen) RunViewCommand(kCommandFullScreen);
      return true;
    case SC_RESTORE:
      if (!full_screen || IsIconic(app.view_window)) return false;
      RunViewCommand(kCommandFullScreen);
      return true;
  }
  return false;
}

// The title tip, the hover frame and the full-screen requests from the
// frame; false when the default handling is still wanted.
bool HandleChromeMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCMOUSEMOVE:
      if (IsFrameHit(wparam)) {
        OnViewFrameHover(window, wparam, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      return false;
    case WM_NCLBUTTONDBLCLK:
      if (wparam != HTCAPTION) return false;
      RunViewCommand(kCommandFullScreen);
      return true;
    case WM_SYSCOMMAND:
      return HandleSystemCommand(wparam);
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      OnViewSizeMoveLoop(message == WM_ENTERSIZEMOVE);
      return false;
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

RECT MonitorRectNear(HWND window) {
  MONITORINFO info = {sizeof(info)};
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcMonitor;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

HWND CreateViewWindow(HINSTANCE instance) {
  const SettingsValues& s = App().settings;
  ScreenRect work = ToScreenRect(WorkAreaNear(nullptr));
  ViewStyles styles = ViewStylesFor(s.show_title_bar != 0, false, s.always_on_top != 0);
  DWORD style = styles.style;
  DWORD ex_style = styles.ex_style;

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
  if (HandleChromeMessage(window, message, wparam, lparam)) return 0;
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
      if (wparam == kSlideshowTimer) OnSlideshowTick();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Any key ends a slideshow, and does nothing else.
      if (App().slideshow_running) {
        StopSlideshow();
        return 0;
      }
      // The system menu key takes the keys to the menu, away from the bar.
      if (message == WM_SYSKEYDOWN && (wparam == VK_MENU || wparam == VK_F10)) HideViewBar();
      break;
    case WM_DROPFILES:
      HandleDroppedFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_ACTIVATEAPP:
      // Another program may have changed the folder or the archive meanwhile.
      if (wparam) {
        CheckFolderForChanges();
        CheckArchiveForChange();
      } else {
        OnApplicationDeactivated();
      }
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
