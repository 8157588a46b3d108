#include "image/status_message_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/status.h"
#include "lang/string_ids.h"

namespace {

// English.dll sits beside the test program, as it does beside Ovira.exe.
class LanguageModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(L"English.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  std::wstring String(UINT id) {
    wchar_t buffer[1024];
    int n = LoadStringW(module_, id, buffer, 1024);
    return std::wstring(buffer, n > 0 ? n : 0);
  }
  HMODULE module_ = nullptr;
};

TEST_F(LanguageModule, CarriesTheSignature) {
  HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(IDR_LANGUAGE_SIGNATURE),
                              MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(found, nullptr);
  ASSERT_GE(SizeofResource(module_, found), 6u);
  const void* bytes = LockResource(LoadResource(module_, found));
  EXPECT_EQ(std::memcmp(bytes, "Ovira\0", 6), 0);
}

TEST_F(LanguageModule, EveryStatusAndMessageHasText) {
  for (uint32_t code = kFirstGeneralMessage; code <= kLastGeneralMessage; ++code) {
    EXPECT_FALSE(String(code).empty()) << code;
  }
  for (uint32_t code = 50001; code <= 50024; ++code) {
    if (code == 50008 || code == 50015 || code == 50021) continue;  // never raised
    EXPECT_FALSE(String(code).empty()) << code;
  }
  for (UINT id : {IDS_FACE_NAME, IDS_MESSAGE_CAPTION, IDS_ERROR_CAPTION, IDS_TITLE_OPENING,
                  IDS_TITLE_SAVING, IDS_TITLE_SAVE_PREVIEW, IDS_SAVE_QUESTION}) {
    EXPECT_FALSE(String(id).empty()) << id;
  }
}

TEST_F(LanguageModule, MessagesFollowTheCaptionAndLeadRules) {
  StatusMessageText message;
  ASSERT_TRUE(ComposeStatusMessage(module_, 30007, &message));
  EXPECT_EQ(message.caption, String(30000));
  EXPECT_EQ(message.text, String(30007));

  ASSERT_TRUE(ComposeStatusMessage(module_, StatusCode(Status::kReadFailed), &message));
  EXPECT_EQ(message.caption, String(50000));
  EXPECT_EQ(message.text, String(50004));

  ASSERT_TRUE(ComposeStatusMessage(module_, StatusCode(Status::kPngBadChecksum), &message));
  EXPECT_EQ(message.caption, String(50000));
  EXPECT_EQ(message.text, String(50007) + String(50011));

  EXPECT_FALSE(ComposeStatusMessage(module_, StatusCode(Status::kOk), &message));
}

// Closes the program's message box from inside its own modal loop.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770") PostMessageW(window, WM_COMMAND, IDOK, 0);
        return TRUE;
      },
      0);
  KillTimer(nullptr, timer);
}

// The display count ShowCursor keeps for this thread.
int CursorCount() {
  int count = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return count;
}

TEST_F(LanguageModule, TheErrorBoxShowsAHiddenCursorAndHidesItAgain) {
  // The system reports the cursor of the thread that has the foreground.
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(owner);
  int hidden = ShowCursor(FALSE);
  while (hidden >= 0) hidden = ShowCursor(FALSE);
  SetTimer(nullptr, 0, 300, CloseMessageBox);
  ShowStatusMessage(owner, module_, nullptr, StatusCode(Status::kReadFailed));
  EXPECT_EQ(CursorCount(), hidden) << "the count is what it was before the box";
  while (ShowCursor(TRUE) < 0) {
  }
  int shown = CursorCount();
  SetTimer(nullptr, 0, 300, CloseMessageBox);
  ShowStatusMessage(owner, module_, nullptr, StatusCode(Status::kReadFailed));
  EXPECT_EQ(CursorCount(), shown) << "a visible cursor is left as it was";
  DestroyWindow(owner);
}

}  // namespace
