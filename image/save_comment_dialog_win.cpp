#include "image/save_comment_dialog_win.h"

#include <string>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/window_text_win.h"
#include "image/ansi_text_win.h"
#include "lang/string_ids.h"

namespace {

constexpr size_t kLongestComment = 4096;  // characters in the box, bytes once converted

void TakeText(HWND dialog) {
  const std::wstring text = WindowText(GetDlgItem(dialog, IDC_SAVE_COMMENT_TEXT));
  App().save_comment_text = ToAnsiCodePage(text, kLongestComment);
}

INT_PTR CALLBACK CommentDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_SAVE_COMMENT_TEXT, EM_LIMITTEXT, kLongestComment, 0);
      SetDlgItemTextW(dialog, IDC_SAVE_COMMENT_TEXT,
                      FromAnsiCodePage(App().save_comment_text).c_str());
      return TRUE;
    case WM_COMMAND: return EndOnOkOrCancel(dialog, wparam, TakeText);
  }
  return FALSE;
}

}  // namespace

bool EditSaveComment(HWND owner) {
  return ShowModalDialog(IDD_SAVE_COMMENT, owner, CommentDialog, 0) == IDOK;
}
