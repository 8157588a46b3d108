#include "view/edit_window_win.h"

#include <windowsx.h>

#include "app/app_state.h"
#include "app/commands_win.h"
#include "app/drop_files_win.h"
#include "app/gdi_guards_win.h"
#include "app/menu_popup_win.h"
#include "app/single_instance_win.h"
#include "app/window_classes_win.h"
#include "app/window_placement.h"
#include "view/edit_panes_win.h"
#include "view/tool_strip_win.h"
#include "view/navigator_win.h"
#include "view/view_dc_win.h"
#include "view/view_window_win.h"

namespace {

// Until the panes arrive the window shows its background, never whatever
// the screen held before it was shown.
void PaintContent(HDC dc, const RECT& area) {
  FillRect(dc, &area, BackgroundBrush(App().settings.edit_background));
}

void Paint(HWND window) {
  PaintGuard paint(window);
  PaintContent(paint.dc(), paint.area());
}

void PrintClient(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  PaintContent(dc, client);
}

// Right clicks reach us as WM_CONTEXTMENU from the default handling, the
// menu key as one without a position. Clicks on the frame keep the system's
// own menu.
bool OnContextMenu(HWND window, LPARAM position) {
  if (ShowContextMenuForKey(window, position)) return true;
  POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ScreenToClient(window, &point);
  RECT client;
  GetClientRect(window, &client);
  if (!PtInRect(&client, point)) return false;
  ShowContextMenu(window, point);
  return true;
}

}  // namespace

HWND CreateEditWindow(HINSTANCE instance) {
  ApplicationState& app = App();
  const SettingsValues& s = app.settings;
  RECT work = WorkAreaNear(app.view_window);
  ScreenRect placed = FitToWorkArea(s.edit_left, s.edit_top, s.edit_width, s.edit_height,
                                    {work.left, work.top, work.right, work.bottom});
  HWND edit = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, kEditWindowClass, L"Ovira",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, placed.left, placed.top,
                              placed.width(), placed.height(), app.view_window, nullptr, instance,
                              nullptr);
  if (!edit) return nullptr;
  app.edit_window = edit;
  CreateToolStrip(edit);
  CreateEditPanes(edit);
  app.navigator = CreateNavigator(instance, edit);
  return edit;
}

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_PRINTCLIENT:
      PrintClient(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextMenu(window, lparam)) return 0;
      break;
    case WM_COMMAND:
      if (!HandleToolStripCommand(wparam, lparam)) OnEditWindowCommand(wparam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (HandleToolStripNotify(reinterpret_cast<const NMHDR*>(lparam), &result)) return result;
      break;
    }
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return 0;
      if (HWND strip = GetDlgItem(window, kToolStripId)) SendMessageW(strip, WM_SIZE, 0, 0);
      LayOutEditPanes();
      return 0;
    case WM_MOUSEWHEEL:
      OnEditWheel(GET_WHEEL_DELTA_WPARAM(wparam), GET_KEYSTATE_WPARAM(wparam),
                  {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_COPYDATA:
      if (IsWindowEnabled(window) && App().adjustment_mode == 0) {
        HandleCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      }
      return 1;
    case WM_DROPFILES:
      HandleDroppedFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_DESTROY:
      FreeToolStripImages();
      return 0;
    case WM_CLOSE:
      // Closing the edit window ends the program through the view window.
      PostMessageW(App().view_window, WM_CLOSE, 0, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
