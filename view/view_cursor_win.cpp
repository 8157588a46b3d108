#include "view/view_cursor_win.h"

#include "app/app_state.h"
#include "view/view_pointer.h"

namespace {

bool PointerOverFileList(POINT screen) {
  HWND list = App().list_window;
  if (!list || !IsWindowVisible(list)) return false;
  HWND under = WindowFromPoint(screen);
  return under == list || IsChild(list, under);
}

}  // namespace

void HideViewCursor() {
  ApplicationState& app = App();
  if (app.cursor_hidden || app.bar_shown) return;
  POINT pointer = {};
  GetCursorPos(&pointer);
  if (PointerOverFileList(pointer)) return;
  ScreenToClient(app.view_window, &pointer);
  app.cursor_hidden_at = pointer;
  app.cursor_hidden = true;
  ShowCursor(FALSE);
}

void ShowViewCursor() {
  ApplicationState& app = App();
  if (!app.cursor_hidden) return;
  app.cursor_hidden = false;
  ShowCursor(TRUE);
}

void WakeCursorOnMove(POINT client) {
  const ApplicationState& app = App();
  if (app.display_mode != kDisplayFullScreen || app.slideshow_running || !app.cursor_hidden) {
    return;
  }
  ViewPoint remembered = {app.cursor_hidden_at.x, app.cursor_hidden_at.y};
  if (PointerWakesCursor(remembered, {client.x, client.y})) ShowViewCursor();
}
