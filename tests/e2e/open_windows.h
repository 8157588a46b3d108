// Top-level windows that a scenario did not ask for: message boxes and
// system dialogs of the program under test, found, described and closed so
// a scenario fails with what the user would have seen instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::string Narrow(const std::wstring& text);

// The caption and every child's text of a window, on one line.
std::string DescribeWindow(HWND window);

// Visible dialogs (class #32770) whose process passes `owned`.
std::vector<HWND> OpenDialogs(const std::function<bool(DWORD pid)>& owned);
std::vector<HWND> OpenDialogsOfProcess(DWORD pid);

// Answers a dialog the cautious way: Cancel, then No, then closing it.
void DismissDialog(HWND dialog);

// Describes each dialog as a failure of the running scenario, prefixed by
// `why`, and dismisses it. Returns how many there were.
int FailOnDialogs(const std::vector<HWND>& dialogs, const std::string& why);
