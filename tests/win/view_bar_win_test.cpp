// The view window's bar driven in-process: it comes up near the top edge
// and goes below it, its buttons follow the image, the file list and the
// slideshow, and full screen adds the window buttons and the title.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/document_win.h"
#include "tests/win/view_edit_fixture.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"
#include "view/slideshow_win.h"

namespace {

class ViewBarTest : public ViewAndEditWindowTest {
 protected:
  void SetUp() override {
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    ViewAndEditWindowTest::SetUp();
    bar_ = App().view_bar;
    ASSERT_NE(bar_, nullptr);
    tool_bar_ = GetDlgItem(bar_, 1001);
    ASSERT_NE(tool_bar_, nullptr);
  }
  void TearDown() override {
    ApplicationState& app = App();
    StopSlideshow();
    app.file_list.Clear();
    app.document = {};
    ViewAndEditWindowTest::TearDown();
    app.view_bar = nullptr;
    app.bar_shown = false;
    app.language.reset();
  }
  void Hover(int x, int y) { SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  void OpenFolderOf(int count) {
    std::wstring first;
    for (int i = 0; i < count; ++i) {
      std::wstring file = dir_.Write(std::wstring(1, wchar_t(L'a' + i)) + L".bmp", GreyBmp(8 + i, 8, 0x60));
      if (i == 0) first = file;
    }
    ASSERT_TRUE(OpenDocument(first, 0));
  }
  bool Indeterminate(int command) {
    return SendMessageW(tool_bar_, TB_GETSTATE, command, 0) & TBSTATE_INDETERMINATE;
  }
  bool Hidden(int command) { return SendMessageW(tool_bar_, TB_ISBUTTONHIDDEN, command, 0) != 0; }
  void Click(int command) {
    SendMessageW(bar_, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(tool_bar_));
  }

  WinTempDir dir_;
  HWND bar_ = nullptr, tool_bar_ = nullptr;
};

TEST_F(ViewBarTest, ComesUpNearTheTopAndGoesBelowIt) {
  Hover(100, 30);
  EXPECT_FALSE(IsWindowVisible(bar_));
  Hover(100, 21);
  EXPECT_TRUE(IsWindowVisible(bar_)) << "within 22 pixels of the top";
  EXPECT_TRUE(App().bar_shown);
  RECT r;
  GetClientRect(bar_, &r);
  RECT client;
  GetClientRect(view_, &client);
  EXPECT_EQ(r.right, client.right) << "across the whole client";
  EXPECT_EQ(r.bottom, 24);
  Hover(100, 23);
  EXPECT_TRUE(IsWindowVisible(bar_)) << "still over the bar";
  Hover(100, 24);
  EXPECT_FALSE(IsWindowVisible(bar_)) << "below the bar";

  App().settings.bar_on_hover = 0;
  Hover(100, 5);
  EXPECT_FALSE(IsWindowVisible(bar_)) << "the option is off";
  App().settings.bar_on_hover = 1;
  SetClientSize(view_, 300, 48);
  Hover(100, 5);
  EXPECT_FALSE(IsWindowVisible(bar_)) << "no room for it over so low a client";
  SetClientSize(view_, 300, 49);
  Hover(100, 5);
  EXPECT_TRUE(IsWindowVisible(bar_));
  SendMessageW(view_, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(IsWindowVisible(bar_)) << "another program took over";
  Hover(100, 5);
  SendMessageW(view_, WM_SYSKEYDOWN, VK_MENU, 0);
  EXPECT_FALSE(IsWindowVisible(bar_)) << "the system menu key";
}

TEST_F(ViewBarTest, ButtonsFollowTheImageTheListAndTheShow) {
  EXPECT_TRUE(Indeterminate(5210)) << "no image to fit";
  EXPECT_FALSE(Indeterminate(5010));
  OpenFolderOf(1);
  EXPECT_FALSE(Indeterminate(5210));
  for (int command : {5700, 5701, 5702, 5703, 5250}) {
    EXPECT_TRUE(Indeterminate(command)) << command << ": one file has nothing to step to";
  }
  EXPECT_FALSE(Indeterminate(5311));
  App().file_list.Clear();
  ReleasePixels(&App().current);
  OpenFolderOf(3);
  for (int command : {5700, 5703, 5250}) EXPECT_FALSE(Indeterminate(command)) << command;
  Click(5703);
  EXPECT_EQ(App().document.name, L"b.bmp") << "the bar's next button shows the next image";
  Click(5250);
  ASSERT_TRUE(App().slideshow_running);
  EXPECT_TRUE(Indeterminate(5703));
  EXPECT_TRUE(Indeterminate(5010));
  EXPECT_FALSE(Indeterminate(5250)) << "it stops the show";
}

TEST_F(ViewBarTest, FullScreenAddsTheWindowButtonsAndTheTitle) {
  for (int command : {5540, 5530, 5550}) EXPECT_TRUE(Hidden(command)) << command;
  OpenFolderOf(2);
  SendMessageW(view_, WM_COMMAND, 5530, 0);
  for (int command : {5540, 5530, 5550}) EXPECT_FALSE(Hidden(command)) << command;
  HWND field = GetDlgItem(bar_, 1002);
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(GetWindowLongW(field, GWL_STYLE) & WS_VISIBLE);
  wchar_t text[256] = {}, title[256] = {};
  GetWindowTextW(field, text, 256);
  GetWindowTextW(view_, title, 256);
  EXPECT_EQ(std::wstring(text), std::wstring(title));
  EXPECT_EQ(std::wstring(text).rfind(L"a.bmp", 0), 0u);
  RECT close, bar;
  int index = int(SendMessageW(tool_bar_, TB_COMMANDTOINDEX, 5550, 0));
  SendMessageW(tool_bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&close));
  GetClientRect(bar_, &bar);
  EXPECT_GT(close.right, bar.right - 40) << "the window buttons sit at the right end";

  NMTTDISPINFOW tip = {};
  tip.hdr = {tool_bar_, 5530, TTN_GETDISPINFOW};
  SendMessageW(bar_, WM_NOTIFY, 5530, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(std::wstring(tip.lpszText), L"Leave Full Screen");

  SendMessageW(view_, WM_COMMAND, 5530, 0);
  for (int command : {5540, 5530, 5550}) EXPECT_TRUE(Hidden(command)) << command;
  EXPECT_FALSE(GetWindowLongW(field, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ViewBarTest, ABarHiddenDuringAShowHidesTheCursorAgain) {
  OpenFolderOf(3);
  SendMessageW(view_, WM_COMMAND, 5250, 0);
  ASSERT_TRUE(App().cursor_hidden);
  Hover(100, 5);
  EXPECT_TRUE(App().bar_shown);
  EXPECT_FALSE(App().cursor_hidden) << "the bar brings the pointer back";
  Hover(100, 300);
  EXPECT_FALSE(App().bar_shown);
  EXPECT_TRUE(App().cursor_hidden);
}

}  // namespace
