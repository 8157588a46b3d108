#include "tests/e2e/send_within.h"

#include <cstdio>

#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"

bool SendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result,
                DWORD limit_ms) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, limit_ms, &answer)) {
    if (result) *result = LRESULT(answer);
    return true;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char why[128];
  std::snprintf(why, sizeof(why), "message 0x%04X (%llu) was not answered within %lu ms",
                message, static_cast<unsigned long long>(wparam), static_cast<unsigned long>(limit_ms));
  if (FailOnDialogs(OpenDialogsOfProcess(pid), why) == 0 && RunningScenario())
    RunningScenario()->failures.push_back(why);
  return false;
}
