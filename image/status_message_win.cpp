#include "image/status_message_win.h"

#include "app/language_module_win.h"
#include "image/status_message.h"

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
  // The cursor may be hidden (full screen); the user needs it for the box.
  CURSORINFO cursor = {sizeof(cursor)};
  if (GetCursorInfo(&cursor) && !(cursor.flags & CURSOR_SHOWING)) {
    for (int i = 0; i < 64 && ShowCursor(TRUE) < 0; ++i) {
    }
  }
  MessageBoxW(owner, message.text.c_str(), message.caption.c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  if (side_list) EnableWindow(side_list, TRUE);
}
