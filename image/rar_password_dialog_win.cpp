#include "image/rar_password_dialog_win.h"

#include "app/dialog_loader_win.h"
#include "app/window_text_win.h"
#include "lang/string_ids.h"

namespace {

void KeepPassword(HWND dialog) {
  auto* password = reinterpret_cast<std::wstring*>(GetWindowLongPtrW(dialog, DWLP_USER));
  *password = WindowText(GetDlgItem(dialog, IDC_RAR_PASSWORD));
}

INT_PTR CALLBACK PasswordDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: SetWindowLongPtrW(dialog, DWLP_USER, lparam); return TRUE;
    case WM_COMMAND: return EndOnOkOrCancel(dialog, wparam, KeepPassword);
  }
  return FALSE;
}

}  // namespace

bool AskForRarPassword(HWND owner, std::wstring* password) {
  std::wstring typed;
  if (ShowModalDialog(IDD_RAR_PASSWORD, owner, PasswordDialog, reinterpret_cast<LPARAM>(&typed)) != IDOK) {
    return false;
  }
  *password = std::move(typed);
  return true;
}
