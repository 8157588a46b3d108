// The save dialog offers only the types that can be written in this build.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/save_dialog_win.h"

namespace {

std::vector<std::wstring> g_offered;

BOOL CALLBACK ReadTypesAndCancel(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  HWND types = GetDlgItem(window, cmb1);
  int count = types ? int(SendMessageW(types, CB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    g_offered.push_back(text);
  }
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}

// Reads the dialog's type list from inside its modal loop, then cancels it.
void CALLBACK InspectSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!EnumThreadWindows(GetCurrentThreadId(), ReadTypesAndCancel, 0) || !g_offered.empty()) {
    KillTimer(nullptr, timer);
  }
}

class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.view_window = nullptr;
    app.document = {};
    g_offered.clear();
  }
  void TearDown() override {
    App().current.source_format = 0;
    App().language.reset();
  }
  // The types offered for a save that starts with this type chosen.
  std::vector<std::wstring> Offered(int32_t save_type) {
    App().settings.save_type = save_type;
    g_offered.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 200, InspectSaveDialog);
    std::wstring chosen;
    EXPECT_FALSE(AskSavePath(&chosen));
    KillTimer(nullptr, timer);
    return g_offered;
  }
};

TEST_F(SaveDialog, OffersOnlyTheTypesThatCanBeWritten) {
  std::vector<std::wstring> offered = Offered(0);
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_NE(offered[0].find(L"*.bmp"), std::wstring::npos);
  App().current.source_format = kSourceJpeg;  // the lossless JPEG save needs its encoder too
  EXPECT_EQ(Offered(2).size(), 1u);
  EXPECT_EQ(App().settings.save_type, 0) << "a type that cannot be written is not kept chosen";
}

}  // namespace
