#include "view/edit_window.h"

#include "app/app_state.h"
#include "app/commands_win.h"
#include "app/drop_files_win.h"
#include "app/single_instance_win.h"
#include "app/window_classes_win.h"
#include "app/window_placement.h"
#include "view/view_window.h"

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
  app.navigator = CreateWindowExW(WS_EX_TOOLWINDOW, kNavigatorClass, nullptr, WS_POPUP, 0, 0, 0, 0,
                                  edit, nullptr, instance, nullptr);
  return edit;
}

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnEditWindowCommand(wparam);
      return 0;
    case WM_COPYDATA:
      if (IsWindowEnabled(window) && !App().adjustment_in_progress) {
        HandleCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      }
      return 1;
    case WM_DROPFILES:
      HandleDroppedFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_CLOSE:
      // Closing the edit window ends the program through the view window.
      PostMessageW(App().view_window, WM_CLOSE, 0, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
