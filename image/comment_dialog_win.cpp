#include "image/comment_dialog_win.h"

#include "app/dialog_loader_win.h"
#include "app/window_text_win.h"
#include "lang/string_ids.h"

namespace {

constexpr WPARAM kCommentCharacters = 4096;

std::wstring EditText(HWND dialog) { return WindowText(GetDlgItem(dialog, IDC_COMMENT_TEXT)); }

INT_PTR CALLBACK CommentDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const auto* text = reinterpret_cast<const std::wstring*>(lparam);
      SendDlgItemMessageW(dialog, IDC_COMMENT_TEXT, EM_LIMITTEXT, kCommentCharacters, 0);
      SetDlgItemTextW(dialog, IDC_COMMENT_TEXT, text->c_str());
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_COMMENT_OK:
        case IDOK:
          *reinterpret_cast<std::wstring*>(GetWindowLongPtrW(dialog, DWLP_USER)) = EditText(dialog);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool AskForComment(HWND owner, std::wstring* text) {
  std::wstring edited = *text;
  if (ShowModalDialog(IDD_COMMENT, owner, CommentDialog, reinterpret_cast<LPARAM>(&edited)) != IDOK)
    return false;
  *text = std::move(edited);
  return true;
}
