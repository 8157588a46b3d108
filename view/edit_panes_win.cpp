#include "view/edit_panes_win.h"

#include "app/app_state.h"

RECT EditPaneArea() {
  RECT area = {};
  if (App().edit_window) GetClientRect(App().edit_window, &area);
  return area;
}
