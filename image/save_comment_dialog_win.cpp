#include "image/save_comment_dialog_win.h"

#include <string>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "lang/string_ids.h"

namespace {

constexpr size_t kLongestComment = 4096;  // characters in the box, bytes once converted

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// At most kLongestComment bytes, cut before a character rather than inside
// one; characters the code page lacks become its default character.
std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::string ansi(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0,
                                                           nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), static_cast<int>(ansi.size()),
                      nullptr, nullptr);
  size_t end = 0;
  while (end < ansi.size()) {
    const size_t next = end + (IsDBCSLeadByte(static_cast<BYTE>(ansi[end])) ? 2 : 1);
    if (next > kLongestComment) break;
    end = next;
  }
  ansi.resize(end);
  return ansi;
}

void TakeText(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_SAVE_COMMENT_TEXT);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  App().save_comment_text = ToAnsi(text);
}

INT_PTR CALLBACK CommentDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_SAVE_COMMENT_TEXT, EM_LIMITTEXT, kLongestComment, 0);
      SetDlgItemTextW(dialog, IDC_SAVE_COMMENT_TEXT, FromAnsi(App().save_comment_text).c_str());
      return TRUE;
    case WM_COMMAND:
      return EndOnOkOrCancel(dialog, wparam, TakeText);
  }
  return FALSE;
}

}  // namespace

bool EditSaveComment(HWND owner) {
  return ShowModalDialog(IDD_SAVE_COMMENT, owner, CommentDialog, 0) == IDOK;
}
