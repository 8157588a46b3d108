// The view window as the in-process tests start it: every setting at its
// default but a fixed place that does not follow the image, the view
// window's own mode, and no image yet. Not shown.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/settings_environment_win.h"
#include "app/settings_load.h"
#include "app/settings_reader.h"
#include "app/window_classes_win.h"
#include "view/file_list_window_win.h"
#include "view/mouse_states.h"
#include "view/slideshow_win.h"
#include "view/view_window_win.h"

// Sizes a window so that its client is exactly `width` x `height`.
inline void SetClientSize(HWND window, int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
}

inline HWND CreateTestViewWindow(int left, int top, int width, int height) {
  ApplicationState& app = App();
  app.instance = GetModuleHandleW(nullptr);
  SettingsReader no_file;
  app.settings = SettingsValues{};
  LoadAllSettings(no_file, app.settings, MakeSettingsEnvironment());
  app.settings.view_follows_image = 0;
  app.settings.view_left = left;
  app.settings.view_top = top;
  app.settings.view_width = width;
  app.settings.view_height = height;
  app.display_mode = kDisplayView;
  app.mouse_state = kStateIdle;
  RegisterWindowClasses(app.instance);  // false after the first test: already there
  ResetImageBuffer(&app.current);
  return CreateViewWindow(app.instance);
}

// Takes down what a test built on the test view window: the show, the side
// windows, the image, the file list and the document, back to the view
// window's own mode.
inline void DestroyTestViewWindows(HWND view, HWND edit) {
  ApplicationState& app = App();
  StopSlideshow();
  CloseFileListWindow();
  ReleasePixels(&app.current);
  app.file_list.Clear();
  app.document = {};
  app.modified = false;
  DestroyWindow(app.navigator);
  DestroyWindow(edit);
  DestroyWindow(view);
  app.navigator = nullptr;
  app.edit_window = nullptr;
  app.display_mode = kDisplayView;
}
