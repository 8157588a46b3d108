#include "app/menu_popup_win.h"

#include <cwctype>

#include "app/app_state.h"
#include "app/menu_build_win.h"
#include "app/menu_draw_win.h"
#include "app/menu_refresh_win.h"

namespace {

constexpr wchar_t kMenuOwnerClass[] = L"Ovira_menu_class";

HWND& OwnerHandle() {
  static HWND owner = nullptr;
  return owner;
}

// The position of the item whose caption marks `letter` as its mnemonic.
int ItemWithMnemonic(HMENU popup, wchar_t letter) {
  int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
    auto* record = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
    if (!record) continue;
    const std::wstring& caption = record->caption;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
      if (caption[i] != L'&') continue;
      if (caption[i + 1] == L'&') {
        ++i;  // a literal ampersand
      } else if (std::towlower(caption[i + 1]) == std::towlower(letter)) {
        return position;
      }
    }
  }
  return -1;
}

LRESULT CALLBACK MenuOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      PreparePopup(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_EXITMENULOOP:
      ForgetPreparedPopups();
      return 0;
    case WM_MEASUREITEM:
      MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_DRAWITEM:
      DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_MENUCHAR: {
      // Owner-drawn items leave their mnemonics to us.
      int position = ItemWithMnemonic(reinterpret_cast<HMENU>(lparam), LOWORD(wparam));
      return position < 0 ? MAKELRESULT(0, MNC_IGNORE) : MAKELRESULT(position, MNC_EXECUTE);
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND MenuOwner() {
  HWND& owner = OwnerHandle();
  if (owner) return owner;
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.lpfnWndProc = MenuOwnerProc;
  wc.hInstance = App().instance;
  wc.lpszClassName = kMenuOwnerClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  owner = CreateWindowExW(WS_EX_TOOLWINDOW, kMenuOwnerClass, nullptr, WS_POPUP, 0, 0, 0, 0,
                          nullptr, nullptr, App().instance, nullptr);
  return owner;
}

}  // namespace

void ShowPopupMenu(HWND window, HMENU popup, POINT screen, UINT flags) {
  HWND owner = MenuOwner();
  if (!popup || !owner) return;
  int command = static_cast<int>(TrackPopupMenu(
      popup, flags | TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
  if (command != 0) SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ShowContextMenu(HWND window, POINT client) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  ShowPopupMenu(window, MainPopup(), screen, 0);
}

bool ShowContextMenuForKey(HWND window, LPARAM position) {
  constexpr LPARAM kFromKeyboard = -1;
  if (position != kFromKeyboard) return false;
  ShowContextMenu(window, {0, 0});
  return true;
}

void DestroyMenuOwner() {
  HWND& owner = OwnerHandle();
  if (owner) DestroyWindow(owner);
  owner = nullptr;
}
