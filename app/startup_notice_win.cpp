#include "app/startup_notice_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"

namespace {

void StoreNoticeChoice(HWND dialog) {
  bool hide = IsDlgButtonChecked(dialog, IDC_STARTUP_NOTICE_HIDE) == BST_CHECKED;
  App().settings.show_startup_notice = hide ? 0 : 1;
}

INT_PTR CALLBACK NoticeProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(dialog, IDC_STARTUP_NOTICE_HIDE,
                     App().settings.show_startup_notice ? BST_UNCHECKED : BST_CHECKED);
      return TRUE;
    case WM_COMMAND:
      return EndOnOkOrCancel(dialog, wparam, StoreNoticeChoice);
  }
  return FALSE;
}

}  // namespace

void ShowStartupNotice() {
  ShowModalDialog(IDD_STARTUP_NOTICE, OwnerWindow(), NoticeProc, 0);
}
