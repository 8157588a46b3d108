// The file-list tool window, driven in-process through real window messages:
// where 5311 puts it, how its rows follow the file list, and what picking a
// row does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "tests/win/box_answer.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"
#include "view/file_list_window_win.h"
#include "view/slideshow_win.h"
#include "view/view_window_win.h"

namespace {

class FileListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.list_width = 180;
    app.list_height = 360;
    view_ = CreateTestViewWindow(400, 60, 420, 340);
    ASSERT_NE(view_, nullptr);
    edit_ = CreateEditWindow(app.instance);
    ASSERT_NE(edit_, nullptr);
    ShowWindow(view_, SW_SHOW);
  }
  void TearDown() override {
    DestroyTestViewWindows(view_, edit_);
    App().language.reset();
    DropPendingMessages();
  }
  // A folder of a.bmp, b.bmp and c.bmp with a.bmp open.
  void OpenFolder() {
    std::wstring first;
    for (int i = 0; i < 3; ++i) {
      std::wstring file = dir_.Write(std::wstring(1, wchar_t(L'a' + i)) + L".bmp",
                                     GreyBmp(40 + i, 30, uint8_t(40 * i)));
      if (i == 0) first = file;
    }
    ASSERT_TRUE(OpenDocument(first, 0));
    ASSERT_EQ(App().file_list.count(), 3u);
  }
  // The folder open and its list shown by 5311.
  void OpenFolderAndList() {
    OpenFolder();
    Command(5311);
    ASSERT_NE(List(), nullptr);
  }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }
  HWND List() const { return App().list_window; }
  HWND Box() const { return GetDlgItem(App().list_window, kFileListBoxId); }
  LRESULT Selected() const { return SendMessageW(Box(), LB_GETCURSEL, 0, 0); }
  // What a click on a row tells the window.
  void PickRow(int row) {
    SendMessageW(Box(), LB_SETCURSEL, row, 0);
    SendMessageW(List(), WM_COMMAND, MAKEWPARAM(kFileListBoxId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Box()));
  }

  WinTempDir dir_;
  HWND view_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(FileListWindowTest, OpensOnlyWithAFileListBesideTheViewWindowAndClosesAgain) {
  Command(5311);
  EXPECT_EQ(List(), nullptr) << "no file list, no window";

  OpenFolder();
  Command(5311);
  ASSERT_NE(List(), nullptr);
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_NE(GetForegroundWindow(), List()) << "the focus stays on the viewer";
  const RECT view = WindowRect(view_);
  EXPECT_EQ(Text(WindowRect(List())),
            Text({view.left - 180, view.top, view.left, view.top + 360}));

  wchar_t name[32] = {}, title[32] = {};
  GetClassNameW(List(), name, 32);
  GetWindowTextW(List(), title, 32);
  EXPECT_STREQ(name, L"Ovira_list_class");
  EXPECT_STREQ(title, L"Files");
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(List(), GWL_EXSTYLE));
  EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex_style & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(GetWindowLongPtrW(List(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(List(), GW_OWNER), edit_);

  HMENU system = GetSystemMenu(List(), FALSE);
  EXPECT_EQ(GetMenuItemCount(system), 3);
  EXPECT_NE(GetMenuState(system, SC_MOVE, MF_BYCOMMAND), UINT(-1));
  EXPECT_NE(GetMenuState(system, SC_SIZE, MF_BYCOMMAND), UINT(-1));
  EXPECT_NE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), UINT(-1));

  const auto box_style = static_cast<DWORD>(GetWindowLongPtrW(Box(), GWL_STYLE));
  EXPECT_EQ(box_style & (LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT),
            DWORD(LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT));
  HDC dc = GetDC(Box());
  HGDIOBJ previous = SelectObject(dc, App().ui_font.get());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(Box(), dc);
  EXPECT_EQ(SendMessageW(Box(), LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight + 2);
  EXPECT_EQ(SendMessageW(Box(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Selected(), 0);

  Command(5311);
  EXPECT_EQ(List(), nullptr) << "a second 5311 closes it";
}

TEST_F(FileListWindowTest, WithoutRoomLeftOfTheViewItGoesToTheWorkAreaEdgeBelowTheTitle) {
  SetWindowPos(view_, nullptr, 100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  OpenFolder();
  Command(5311);
  ASSERT_NE(List(), nullptr);
  const RECT work = WorkAreaNear(view_);
  const int top = 60 + GetSystemMetrics(SM_CYCAPTION) + 24;
  EXPECT_EQ(Text(WindowRect(List())), Text({work.left, top, work.left + 180, top + 360}));
}

TEST_F(FileListWindowTest, FullScreenPutsItInTheWorkAreaCornerAndLeavingPutsItBack) {
  OpenFolderAndList();
  Command(5530);
  ASSERT_EQ(App().display_mode, kDisplayFullScreen);
  const RECT work = WorkAreaNear(view_);
  EXPECT_EQ(Text(WindowRect(List())),
            Text({work.left, work.top + 24, work.left + 180, work.top + 24 + 360}));
  Command(5530);
  ASSERT_EQ(App().display_mode, kDisplayView);
  const RECT view = WindowRect(view_);
  EXPECT_EQ(Text(WindowRect(List())),
            Text({view.left - 180, view.top, view.left, view.top + 360}));

  CloseFileListWindow();
  Command(5530);
  Command(5311);
  ASSERT_NE(List(), nullptr) << "opened in full screen";
  EXPECT_EQ(Text(WindowRect(List())),
            Text({work.left, work.top + 24, work.left + 180, work.top + 24 + 360}));
}

TEST_F(FileListWindowTest, RowsFollowTheFileList) {
  OpenFolderAndList();
  Command(5703);
  EXPECT_EQ(App().file_list.current(), 1u);
  EXPECT_EQ(Selected(), 1);
  Command(5701);
  EXPECT_EQ(Selected(), 2);

  // A new file in the folder, read again: one row more, the same entry selected.
  dir_.Write(L"0.bmp", GreyBmp(10, 10, 0));
  RefreshFileList();
  EXPECT_EQ(SendMessageW(Box(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Selected(), 3);
}

TEST_F(FileListWindowTest, PickingARowOpensThatEntry) {
  OpenFolderAndList();
  PickRow(2);
  EXPECT_EQ(App().file_list.current(), 2u);
  EXPECT_EQ(App().document.name, L"c.bmp");
  EXPECT_EQ(App().current.header.width, 42);
  EXPECT_EQ(Selected(), 2);
}

TEST_F(FileListWindowTest, CancellingTheSaveQuestionPutsTheSelectionBack) {
  OpenFolderAndList();
  App().modified = true;
  std::wstring caption;
  std::thread answer = AnswerBox(GetCurrentThreadId(), IDCANCEL, &caption);
  PickRow(2);
  answer.join();
  EXPECT_EQ(caption, L"a.bmp") << "the question was asked";
  EXPECT_EQ(App().file_list.current(), 0u);
  EXPECT_EQ(App().document.name, L"a.bmp");
  EXPECT_TRUE(App().modified) << "nothing was lost";
  EXPECT_EQ(Selected(), 0);
}

TEST_F(FileListWindowTest, ClosingKeepsTheSizeForTheNextTime) {
  OpenFolderAndList();
  SetWindowPos(List(), nullptr, 0, 0, 250, 410, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND first = List();
  SendMessageW(List(), WM_CLOSE, 0, 0);
  EXPECT_EQ(List(), nullptr);
  EXPECT_FALSE(IsWindow(first)) << "closing destroys it";
  Command(5311);
  ASSERT_NE(List(), nullptr);
  const RECT r = WindowRect(List());
  EXPECT_EQ(r.right - r.left, 250);
  EXPECT_EQ(r.bottom - r.top, 410);
  EXPECT_EQ(r.right, WindowRect(view_).left) << "placed with its new size";
}

TEST_F(FileListWindowTest, ASlideshowStartClosesIt) {
  OpenFolderAndList();
  Command(5250);
  ASSERT_TRUE(App().slideshow_running);
  EXPECT_EQ(List(), nullptr);
}

}  // namespace
