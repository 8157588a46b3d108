#include "app/app_state.h"

ApplicationState& App() {
  static ApplicationState state;
  return state;
}

HWND OwnerWindow() {
  ApplicationState& app = App();
  return app.display_mode == kDisplayEdit && app.edit_window ? app.edit_window : app.view_window;
}
