#include "app/menu_refresh_win.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/command_seams_win.h"
#include "app/menu_build_win.h"
#include "app/menu_state.h"
#include "app/menu_tree.h"
#include "app/window_classes_win.h"
#include "view/view_control_win.h"

namespace {

std::vector<HMENU>& PreparedPopups() {
  static std::vector<HMENU> prepared;
  return prepared;
}

int MenuIdOf(HMENU popup) {
  MENUINFO info = {sizeof(info)};
  info.fMask = MIM_MENUDATA;
  return GetMenuInfo(popup, &info) ? static_cast<int>(info.dwMenuData) : 0;
}

// Viewer windows of every running copy; class names match regardless of case.
int ViewerWindowCount() {
  int count = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, kViewWindowClass, nullptr); w;
       w = FindWindowExW(nullptr, w, kViewWindowClass, nullptr)) {
    ++count;
  }
  return count;
}

MenuFacts CurrentFacts(int menu) {
  const ApplicationState& app = App();
  const SettingsValues& s = app.settings;
  MenuFacts f;
  f.has_image = ViewHasImage();
  f.has_current_file = !app.document.path.empty();
  f.plain_file = f.has_current_file && app.document.source_kind == SourceKind::kFile;
  f.source_format = app.current.source_format;
  f.information_count = app.document.load.information_count;
  f.display_mode = app.display_mode;
  f.clipboard_has_dib = menu == kSubmenuFile && IsClipboardFormatAvailable(CF_DIB);
  f.has_file_list = HasFileList();
  f.view_background = s.view_background;
  f.edit_background = s.edit_background;
  f.file_list_order = s.file_list_order;
  f.viewer_windows = menu == kSubmenuTools ? ViewerWindowCount() : 1;
  f.title_bar = s.show_title_bar != 0;
  f.title_bar_on_hover = s.title_bar_on_hover != 0;
  f.always_on_top = s.always_on_top != 0;
  f.bar_on_hover = s.bar_on_hover != 0;
  f.navigator_on_hover = s.navigator_on_hover != 0;
  return f;
}

void ApplyState(HMENU popup, const MenuItemState& state) {
  int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info) ||
        info.wID != state.id) {
      continue;
    }
    info.fMask = MIIM_STATE;
    info.fState = (state.enabled ? MFS_ENABLED : MFS_DISABLED) |
                  (state.checked ? MFS_CHECKED : MFS_UNCHECKED);
    SetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
    return;
  }
}

void RelabelForMode() {
  int mode = App().display_mode;
  for (int command : {kCommandToggleEditWindow, kCommandFullScreen}) {
    RelabelMenuItem(command, CaptionStringFor(command, mode));
  }
}

}  // namespace

void PreparePopup(HMENU popup) {
  std::vector<HMENU>& prepared = PreparedPopups();
  if (std::find(prepared.begin(), prepared.end(), popup) != prepared.end()) return;
  prepared.push_back(popup);
  int menu = MenuIdOf(popup);
  if (menu == kMainPopup || menu == kSubmenuTools) RelabelForMode();
  for (const MenuItemState& state : ShownMenuItemStates(menu, CurrentFacts(menu))) {
    ApplyState(popup, state);
  }
}

void ForgetPreparedPopups() { PreparedPopups().clear(); }
