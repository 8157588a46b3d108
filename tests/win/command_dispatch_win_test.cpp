// The dispatchers driven through the view window's WM_COMMAND, with the
// accelerator table translating real key messages as the message loop does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/accelerator_table_win.h"
#include "app/app_state.h"
#include "app/commands_win.h"
#include "tests/win/bitmap_canvas.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "view/edit_window_win.h"
#include "view/view_control_win.h"
#include "view/view_mouse_win.h"
#include "view/view_window_win.h"

namespace {

class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    app.adjustment_mode = 0;
    app.document.path.clear();
    view_ = CreateTestViewWindow(0, 0, 420, 340);
    ASSERT_NE(view_, nullptr);
    BuildAcceleratorTable();
  }
  void TearDown() override {
    ApplicationState& app = App();
    ReleasePixels(&app.current);
    app.accelerators.reset();
    DestroyWindow(view_);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  // What the message loop does with a key press.
  bool Press(UINT key) {
    MSG message = {view_, WM_KEYDOWN, key, 1};
    return TranslateAcceleratorW(view_, App().accelerators.get(), &message) != 0;
  }
  void ShowImage(int width, int height) {
    ASSERT_EQ(AllocatePixels(&App().current, width, height, 24), Status::kOk);
    ShowNewViewImage(false);
  }
  // The flag, not the window's style: Wine does not make a window topmost
  // while it owns topmost popups such as its tool tips.
  bool Topmost() const { return App().settings.always_on_top != 0; }
  HWND view_ = nullptr;
};

TEST_F(DispatchTest, SpaceTogglesActualSizeAndFit) {
  ShowImage(1600, 1200);  // larger than the client: shrunk to fit
  double fitted = App().view_geometry.zoom;
  ASSERT_LT(fitted, 1.0);
  EXPECT_TRUE(Press(VK_SPACE));
  EXPECT_DOUBLE_EQ(App().view_geometry.zoom, 1.0);
  EXPECT_TRUE(Press(VK_SPACE));
  EXPECT_DOUBLE_EQ(App().view_geometry.zoom, fitted);
}

TEST_F(DispatchTest, KeysWaitForTheMouseButMenusDoNot) {
  App().mouse_state = kStatePanning;
  EXPECT_TRUE(Press('T'));
  EXPECT_FALSE(Topmost()) << "a key during a mouse operation is dropped";
  SendMessageW(view_, WM_COMMAND, MAKEWPARAM(5320, 0), 0);
  EXPECT_TRUE(Topmost()) << "the same command from the menu runs";
  App().mouse_state = kStateIdle;
  EXPECT_TRUE(Press('T'));
  EXPECT_FALSE(Topmost());
}

TEST_F(DispatchTest, MinimisedWindowAnswersOnlyTheRestoreKey) {
  ShowWindow(view_, SW_MINIMIZE);
  EXPECT_TRUE(Press('T'));
  EXPECT_FALSE(Topmost());
  EXPECT_TRUE(Press(VK_END));
  EXPECT_FALSE(IsIconic(view_)) << "End restores";
  EXPECT_TRUE(Press('T'));
  EXPECT_TRUE(Topmost());
}

TEST_F(DispatchTest, EditModeAndAdjustmentsGateTheCommands) {
  ShowImage(100, 60);
  // In edit mode the view's commands reach the edit dispatcher: the
  // background command then colours the edit window, not the view.
  App().display_mode = kDisplayEdit;
  App().settings.edit_background = 0;
  App().settings.view_background = 0;
  SendMessageW(view_, WM_COMMAND, 5344, 0);
  EXPECT_EQ(App().settings.edit_background, 3);
  EXPECT_EQ(App().settings.view_background, 0);
  App().adjustment_mode = 13;
  SendMessageW(view_, WM_COMMAND, 5320, 0);
  EXPECT_FALSE(Topmost()) << "tools wait for the adjustment";
  SendMessageW(view_, WM_COMMAND, 5341, 0);
  EXPECT_EQ(App().settings.edit_background, 3);
  App().adjustment_mode = 0;
  App().display_mode = kDisplayView;
  SendMessageW(view_, WM_COMMAND, 5230, 0);
  EXPECT_GT(App().view_geometry.zoom, 1.0);
}

TEST_F(DispatchTest, ExternalProgramGetsTheCurrentFile) {
  WinTempDir dir;
  std::wstring record = dir.File(L"arguments.txt");
  std::string script = "@echo [%*]> \"%~dp0arguments.txt\"\r\n";
  std::wstring recorder = dir.Write(L"recorder.cmd", std::vector<uint8_t>(script.begin(), script.end()));
  App().settings.program_paths[4] = std::u16string(recorder.begin(), recorder.end());
  App().document.path = L"C:\\pictures\\a b.png";
  App().settings.always_on_top = 1;
  SendMessageW(view_, WM_COMMAND, 5424, 0);
  std::string text;
  for (int i = 0; i < 100 && text.empty(); ++i) {
    Sleep(100);
    HANDLE h = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    char buffer[256];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof(buffer), &got, nullptr);
    CloseHandle(h);
    text.assign(buffer, got);
  }
  EXPECT_EQ(text.substr(0, text.find_first_of("\r\n")), "[\"C:\\pictures\\a b.png\"]");
  EXPECT_FALSE(Topmost()) << "the program is not hidden behind us";
}

// With an edit window to switch to, as the program has one.
class DispatchWithEditWindow : public DispatchTest {
 protected:
  void SetUp() override {
    DispatchTest::SetUp();
    edit_ = CreateEditWindow(App().instance);
    ASSERT_NE(edit_, nullptr);
    ShowWindow(view_, SW_SHOW);
  }
  void TearDown() override {
    ApplicationState& app = App();
    DestroyWindow(app.navigator);
    DestroyWindow(edit_);
    app.navigator = nullptr;
    app.edit_window = nullptr;
    app.display_mode = kDisplayView;
    DispatchTest::TearDown();
  }
  HWND edit_ = nullptr;
};

TEST_F(DispatchWithEditWindow, CommandsWithoutTheirModuleChangeNothing) {
  ShowImage(100, 60);
  const SettingsValues before = App().settings;
  const double zoom = App().view_geometry.zoom;
  for (int command : {5120, 5160, 5270, 5014, 5041, 5111, 5720, 5900}) {
    SendMessageW(view_, WM_COMMAND, command, 0);
    EXPECT_EQ(App().display_mode, kDisplayView) << command;
    EXPECT_TRUE(IsWindowVisible(view_)) << command;
    EXPECT_FALSE(IsWindowVisible(edit_)) << command;
  }
  EXPECT_TRUE(App().settings == before);
  EXPECT_DOUBLE_EQ(App().view_geometry.zoom, zoom);
}

TEST_F(DispatchWithEditWindow, TurnsHappenInTheViewAndMarkTheImageEdited) {
  ShowImage(100, 60);
  App().modified = false;
  SendMessageW(view_, WM_COMMAND, 5150, 0);
  EXPECT_EQ(App().display_mode, kDisplayView) << "the picture turns where it is shown";
  EXPECT_FALSE(IsWindowVisible(edit_));
  EXPECT_EQ(App().current.header.width, 60);
  EXPECT_EQ(App().current.header.height, 100);
  EXPECT_TRUE(App().modified);
  EXPECT_EQ(App().document.rotation_state, 1);
  SendMessageW(view_, WM_COMMAND, 5153, 0);
  EXPECT_EQ(App().document.rotation_state, 1) << "a quarter turn and a mirror have no code";
  EXPECT_EQ(App().current.source_format, kSourceBmp);
  App().modified = false;
  App().document.rotation_state = 0;
}

TEST_F(DispatchWithEditWindow, OnlyItsOwnCommandOpensTheEditWindow) {
  ShowImage(100, 60);
  SendMessageW(view_, WM_COMMAND, 5310, 0);
  EXPECT_EQ(App().display_mode, kDisplayEdit);
  EXPECT_TRUE(IsWindowVisible(edit_));
  SendMessageW(edit_, WM_COMMAND, 5150, 0);
  EXPECT_EQ(App().display_mode, kDisplayEdit) << "a turn stays where the image is";
  SendMessageW(edit_, WM_COMMAND, 5310, 0);
  EXPECT_EQ(App().display_mode, kDisplayView);
  EXPECT_FALSE(IsWindowVisible(edit_));
}

TEST_F(DispatchWithEditWindow, TheEditWindowPaintsItsBackground) {
  App().settings.edit_background = 3;  // dark grey
  BitmapCanvas canvas(64, 48);
  SendMessageW(edit_, WM_PRINTCLIENT, WPARAM(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(canvas.CountNot(0x404040), 0);

  ShowImage(100, 60);
  SendMessageW(view_, WM_COMMAND, 5310, 0);
  UpdateWindow(edit_);
  SendMessageW(edit_, WM_COMMAND, 5341, 0);  // white
  EXPECT_EQ(App().settings.edit_background, 0);
  EXPECT_TRUE(GetUpdateRect(edit_, nullptr, FALSE)) << "a new background is painted at once";
  SendMessageW(edit_, WM_PRINTCLIENT, WPARAM(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(canvas.CountNot(0xFFFFFF), 0);
}

}  // namespace
