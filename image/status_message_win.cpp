#include "image/status_message_win.h"

#include "app/language_module_win.h"
#include "image/status_message.h"

namespace {

// The cursor may be hidden (full screen); the user needs it for the box.
// Returns how often the display count was raised, for LowerCursorCount.
int RevealCursor() {
  constexpr int kLimit = 64;  // a count driven far below zero is not ours to undo
  int raised = 1;
  for (int count = ShowCursor(TRUE); count < 0 && raised < kLimit; ++raised) {
    count = ShowCursor(TRUE);
  }
  return raised;
}

// After the box the cursor is hidden again exactly as far as it was.
void LowerCursorCount(int raised) {
  for (int i = 0; i < raised; ++i) ShowCursor(FALSE);
}

}  // namespace

bool ComposeStatusMessage(HMODULE language, uint32_t code, StatusMessageText* out) {
  StatusMessageIds ids;
  if (!StatusMessageIdsFor(code, &ids)) return false;
  std::wstring text = LanguageString(language, ids.text);
  if (ids.text_limit && text.size() > ids.text_limit) text.resize(ids.text_limit);
  out->caption = LanguageString(language, ids.caption);
  out->text = (ids.lead ? LanguageString(language, ids.lead) : std::wstring()) + text;
  return true;
}

void ShowStatusMessage(HWND owner, HMODULE language, HWND side_list, uint32_t code) {
  StatusMessageText message;
  if (!ComposeStatusMessage(language, code, &message)) return;
  if (side_list) EnableWindow(side_list, FALSE);
  int raised = RevealCursor();
  MessageBoxW(owner, message.text.c_str(), message.caption.c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  LowerCursorCount(raised);
  if (side_list) EnableWindow(side_list, TRUE);
}
