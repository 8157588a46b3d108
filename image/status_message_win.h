// Turns a status code into the error message box the user sees.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct StatusMessageText {
  std::wstring caption;
  std::wstring text;
};

// Picks caption and text from the language module. False for codes that have
// no message (50000 and anything outside the two ranges).
bool ComposeStatusMessage(HMODULE language, uint32_t code, StatusMessageText* out);

// Shows the message with the error icon in the foreground. The side list
// window, when given, is disabled while the box is up so it cannot start a
// new open underneath it.
void ShowStatusMessage(HWND owner, HMODULE language, HWND side_list, uint32_t code);
