// Messages to the program under test that cannot hold the driver: a handler
// that opens a modal window (a message box, a system dialog) answers only
// when someone closes it, so every send has a time limit and a send that
// runs out fails the scenario with the window that was in the way.
#pragma once

#include <windows.h>

constexpr DWORD kSendLimitMs = 5000;

// True when the window handled the message within the limit; *result gets
// its answer. On a time-out the dialogs of the window's process are reported
// and dismissed.
bool SendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                LRESULT* result = nullptr, DWORD limit_ms = kSendLimitMs);

// A menu command, as the menu or a key would deliver it.
inline bool SendCommand(HWND window, WPARAM command, DWORD limit_ms = kSendLimitMs) {
  return SendWithin(window, WM_COMMAND, command, 0, nullptr, limit_ms);
}
