// Full screen, the slideshow, the hidden cursor and the view window's
// chrome, driven in-process through real window messages. Timer ticks are
// sent rather than waited for; the end-to-end scenarios let the real timer run.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "image/document_win.h"
#include "tests/win/view_edit_fixture.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"
#include "view/slideshow_win.h"
#include "view/view_control_win.h"
#include "view/view_mouse_win.h"
#include "view/view_styles_win.h"
#include "view/view_window_win.h"

namespace {

DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
DWORD ExStyle(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)); }

class FullScreenTest : public ViewAndEditWindowTest {
 protected:
  void TearDown() override {
    ApplicationState& app = App();
    StopSlideshow();
    app.file_list.Clear();
    app.document = {};
    app.modified = false;
    app.hover_frame_shown = false;
    app.client_tracked = app.nonclient_tracked = app.title_tip_active = false;
    ViewAndEditWindowTest::TearDown();
  }
  void ShowImage(int width, int height) {
    ASSERT_EQ(AllocatePixels(&App().current, width, height, 24), Status::kOk);
    ShowNewViewImage(false);
  }
  // A folder of `count` images a.bmp, b.bmp, ...; entry `current` open.
  void OpenFolderOf(int count, int current) {
    std::wstring chosen;
    for (int i = 0; i < count; ++i) {
      std::wstring name(1, wchar_t(L'a' + i));
      std::wstring file = dir_.Write(name + L".bmp", GreyBmp(40 + i, 30, uint8_t(40 * i)));
      if (i == current) chosen = file;
    }
    ASSERT_TRUE(OpenDocument(chosen, 0));
    ASSERT_EQ(App().file_list.entries().size(), size_t(count));
  }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }
  void Tick() { SendMessageW(view_, WM_TIMER, kSlideshowTimer, 0); }
  size_t Current() const { return App().file_list.current(); }
  bool Running() const { return App().slideshow_running; }

  WinTempDir dir_;
};

TEST_F(FullScreenTest, CoversTheMonitorWithoutCaptionAndComesBackToItsPlace) {
  const RECT before = WindowRect(view_);
  const DWORD style = Style(view_);
  ASSERT_TRUE(style & WS_CAPTION);
  Command(5530);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen);
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_EQ(Text(WindowRect(view_)), Text(screen));
  EXPECT_EQ(Text(ClientOnScreen(view_)), Text(screen)) << "no frame is left around the picture";
  EXPECT_FALSE(Style(view_) & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_TRUE(IsZoomed(view_));
  EXPECT_EQ(GetForegroundWindow(), view_);

  Command(5530);
  EXPECT_EQ(App().display_mode, kDisplayView);
  EXPECT_EQ(Text(WindowRect(view_)), Text(before));
  EXPECT_EQ(Style(view_), style);
  EXPECT_FALSE(IsZoomed(view_));
}

TEST_F(FullScreenTest, TheCaptionAndTheSystemCommandsAskForIt) {
  SendMessageW(view_, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "double click on the title bar";
  SendMessageW(view_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(App().display_mode, kDisplayView) << "the system's restore leaves";
  SendMessageW(view_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "the system's maximise enters";

  Command(5540);
  EXPECT_TRUE(IsIconic(view_));
  SendMessageW(view_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(view_));
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "a minimised full screen comes back as it was";
}

TEST_F(FullScreenTest, LeavingReturnsToTheEditWindowWhenEnteredFromThere) {
  Command(5310);
  ASSERT_EQ(App().display_mode, kDisplayEdit);
  Command(5530);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen);
  EXPECT_TRUE(IsWindowVisible(view_));
  EXPECT_FALSE(IsWindowVisible(edit_));
  Command(5530);
  EXPECT_EQ(App().display_mode, kDisplayEdit);
  EXPECT_TRUE(IsWindowVisible(edit_));
  EXPECT_FALSE(IsWindowVisible(view_));

  Command(5530);
  Command(5310);
  EXPECT_EQ(App().display_mode, kDisplayEdit) << "5310 goes from full screen to the edit window";
  EXPECT_FALSE(IsWindowVisible(view_));
  Command(5310);
  EXPECT_EQ(App().display_mode, kDisplayView);
  EXPECT_TRUE(IsWindowVisible(view_));
  EXPECT_FALSE(Style(view_) & WS_MAXIMIZE);
}

TEST_F(FullScreenTest, ThePictureFollowsTheFullScreenZoomRules) {
  const ViewGeometry& g = App().view_geometry;
  ShowImage(3000, 2000);  // larger than the screen
  Command(5530);
  EXPECT_DOUBLE_EQ(g.zoom, 1280.0 / 3000.0) << "shrunk to the monitor by default";
  Command(5530);

  App().settings.fullscreen_shrink_large = 0;
  App().settings.fullscreen_keep_zoom = 1;
  Command(5230);  // zoom in
  const double zoom = g.zoom;
  Command(5530);
  EXPECT_DOUBLE_EQ(g.zoom, zoom) << "entry 43 keeps the zoom";
  Command(5530);

  ReleasePixels(&App().current);
  App().settings.fullscreen_keep_zoom = 0;
  App().settings.fullscreen_enlarge_small = 1;
  ShowImage(320, 200);
  Command(5530);
  EXPECT_DOUBLE_EQ(g.zoom, 4.0) << "entry 45 enlarges a small image to the monitor";
  EXPECT_EQ(g.destination_width, 1280);
}

TEST_F(FullScreenTest, TwoImagesWithoutRepeatShowTheSecondAndStop) {
  OpenFolderOf(2, 0);
  Command(5250);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "the show is full screen";
  ASSERT_TRUE(Running());
  EXPECT_TRUE(App().accelerators_suspended);
  EXPECT_TRUE(App().cursor_hidden);
  Tick();
  EXPECT_EQ(Current(), 1u);
  EXPECT_EQ(App().document.name, L"b.bmp");
  EXPECT_FALSE(Running()) << "nothing is left to show";
  EXPECT_FALSE(App().accelerators_suspended);
  EXPECT_FALSE(App().cursor_hidden);
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "the last image stays on the screen";
}

TEST_F(FullScreenTest, RepeatGoesOnFromTheLastImageToTheFirst) {
  App().settings.slideshow_wraps = 1;
  OpenFolderOf(3, 2);
  Command(5250);
  ASSERT_TRUE(Running());
  Tick();
  EXPECT_EQ(Current(), 0u);
  EXPECT_EQ(App().document.name, L"a.bmp");
  Tick();
  EXPECT_EQ(Current(), 1u);
  EXPECT_TRUE(Running());
  Command(5250);
  EXPECT_FALSE(Running()) << "5250 stops a running show";
}

TEST_F(FullScreenTest, NoShowOnTheLastImageWithoutRepeatOrWithOneImage) {
  OpenFolderOf(3, 2);
  Command(5250);
  EXPECT_FALSE(Running());
  EXPECT_FALSE(App().accelerators_suspended);
  Command(5530);
  App().file_list.Clear();
  Command(5250);
  EXPECT_FALSE(Running()) << "no list, no show";
}

TEST_F(FullScreenTest, EveryStopTriggerEndsTheShow) {
  OpenFolderOf(3, 0);
  const std::vector<std::pair<const char*, std::function<void()>>> triggers = {
      {"a key", [&] { SendMessageW(view_, WM_KEYDOWN, 'N', 0); }},
      {"a system key", [&] { SendMessageW(view_, WM_SYSKEYDOWN, VK_MENU, 0); }},
      {"left click", [&] { SendMessageW(view_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }},
      {"right click", [&] { SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); }},
      {"middle click", [&] { SendMessageW(view_, WM_MBUTTONUP, 0, MAKELPARAM(5, 5)); }},
      {"another program", [&] { SendMessageW(view_, WM_ACTIVATEAPP, FALSE, 0); }},
      {"5250", [&] { Command(5250); }},
      {"5530", [&] { Command(5530); }},
      {"5540", [&] { Command(5540); }},
      {"5310", [&] { Command(5310); }},
      {"5550", [&] { Command(5550); }},
  };
  for (const auto& [name, trigger] : triggers) {
    if (IsIconic(view_)) ShowWindow(view_, SW_RESTORE);
    if (App().display_mode == kDisplayEdit) Command(5310);
    Command(5250);
    ASSERT_TRUE(Running()) << name;
    trigger();
    EXPECT_FALSE(Running()) << name;
    EXPECT_FALSE(App().accelerators_suspended) << name;
    EXPECT_FALSE(App().cursor_hidden) << name;
    EXPECT_EQ(App().mouse_state, kStateIdle) << name << ": the click did nothing else";
    SendMessageW(view_, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // no context menu follows
    EXPECT_EQ(Current(), 0u) << name;
  }
  EXPECT_EQ(App().display_mode, kDisplayFullScreen) << "5550 closes, it does not leave first";
}

TEST_F(FullScreenTest, TheCursorHidesWhileSteppingAndComesBackOnALongMove) {
  OpenFolderOf(3, 0);
  Command(5530);
  SetCursorPos(600, 500);
  Command(5703);
  EXPECT_EQ(Current(), 1u);
  ASSERT_TRUE(App().cursor_hidden) << "stepping full screen hides the pointer";
  const POINT at = App().cursor_hidden_at;
  EXPECT_EQ(at.x, 600);
  EXPECT_EQ(at.y, 500);
  SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 20, at.y + 12));
  EXPECT_TRUE(App().cursor_hidden) << "32 pixels away is not yet a move";
  SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 20, at.y + 13));
  EXPECT_FALSE(App().cursor_hidden);

  Command(5250);
  ASSERT_TRUE(App().cursor_hidden);
  SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 200, at.y + 200));
  EXPECT_TRUE(App().cursor_hidden) << "moving does not wake the cursor in a show";
  Command(5530);
  EXPECT_FALSE(App().cursor_hidden) << "leaving full screen shows it";
}

TEST_F(FullScreenTest, TheTitleBarComesAndGoesWithTheClientInPlace) {
  for (uint8_t follows : {0, 1}) {
    App().settings.view_follows_image = follows;
    ReleasePixels(&App().current);
    ShowImage(300, 200);
    const RECT client = ClientOnScreen(view_);
    Command(5330);
    EXPECT_FALSE(Style(view_) & (WS_CAPTION | WS_THICKFRAME)) << int(follows);
    EXPECT_EQ(Text(ClientOnScreen(view_)), Text(client)) << int(follows);
    Command(5330);
    EXPECT_TRUE(Style(view_) & WS_CAPTION);
    EXPECT_EQ(Text(ClientOnScreen(view_)), Text(client)) << int(follows);
  }
  Command(5310);
  Command(5330);
  EXPECT_EQ(App().settings.show_title_bar, 1) << "only the view window's own mode has a title bar";
}

TEST_F(FullScreenTest, TheHoverFrameShowsWhileThePointerIsOverTheWindow) {
  App().settings.title_bar_on_hover = 0;
  Command(5331);
  EXPECT_EQ(App().settings.title_bar_on_hover, 0) << "not with the title bar shown";
  Command(5330);
  Command(5331);
  ASSERT_EQ(App().settings.title_bar_on_hover, 1);
  const RECT client = ClientOnScreen(view_);
  auto hover = [&] { SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); };
  hover();
  EXPECT_TRUE(App().hover_frame_shown);
  EXPECT_TRUE(Style(view_) & WS_THICKFRAME);
  EXPECT_TRUE(ExStyle(view_) & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(Style(view_) & WS_CAPTION);
  EXPECT_EQ(Text(ClientOnScreen(view_)), Text(client)) << "the frame grows around the picture";

  SendMessageW(view_, WM_ENTERSIZEMOVE, 0, 0);
  SetCursorPos(client.right + 300, client.bottom + 300);
  SendMessageW(view_, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(App().hover_frame_shown) << "kept while the user sizes the window";
  SendMessageW(view_, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(App().hover_frame_shown);
  EXPECT_FALSE(Style(view_) & WS_THICKFRAME);
  EXPECT_EQ(Text(ClientOnScreen(view_)), Text(client));

  hover();
  SendMessageW(view_, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(App().hover_frame_shown) << "the pointer is elsewhere";
  hover();
  SendMessageW(view_, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(App().hover_frame_shown) << "another program took over";

  hover();
  SetCursorPos(client.left - 2, client.top + 20);  // onto the frame
  SendMessageW(view_, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(App().hover_frame_shown) << "crossing onto the frame keeps it";

  Command(5331);
  EXPECT_FALSE(App().hover_frame_shown);
  hover();
  EXPECT_FALSE(App().hover_frame_shown) << "the option is off";
}

TEST_F(FullScreenTest, TopmostStaysInEveryStyle) {
  for (bool title : {false, true}) {
    for (bool frame : {false, true}) {
      ViewStyles s = ViewStylesFor(title, frame, true);
      EXPECT_TRUE(s.ex_style & WS_EX_TOPMOST);
      EXPECT_TRUE(s.ex_style & WS_EX_APPWINDOW);
      EXPECT_TRUE(s.ex_style & WS_EX_ACCEPTFILES);
      EXPECT_FALSE(ViewStylesFor(title, frame, false).ex_style & WS_EX_TOPMOST);
    }
  }
  EXPECT_EQ(ViewStylesFor(true, true, false).style & WS_CAPTION, DWORD(WS_CAPTION))
      << "a title bar has no hover frame to add";
  EXPECT_FALSE(ViewStylesFor(true, true, false).ex_style & WS_EX_DLGMODALFRAME);
  App().settings.always_on_top = 1;
  Command(5530);
  EXPECT_TRUE(WantedViewStyles().ex_style & WS_EX_TOPMOST);
  EXPECT_FALSE(WantedViewStyles().style & WS_CAPTION);
}

TEST_F(FullScreenTest, TheTitleTipShowsOverTheIconOrTheFrame) {
  HWND tip = App().tooltips[1];
  ASSERT_NE(tip, nullptr);
  auto over = [&](WPARAM hit) { SendMessageW(view_, WM_NCMOUSEMOVE, hit, MAKELPARAM(70, 45)); };
  over(HTSYSMENU);
  EXPECT_FALSE(App().title_tip_active) << "no image, no tip";
  ShowImage(120, 80);
  over(HTSYSMENU);
  EXPECT_TRUE(App().title_tip_active);
  wchar_t text[256] = {};
  TTTOOLINFOW tool = {sizeof(tool)};
  tool.hwnd = view_;
  tool.uId = reinterpret_cast<UINT_PTR>(view_);
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  wchar_t title[256] = {};
  GetWindowTextW(view_, title, 256);
  EXPECT_EQ(std::wstring(text), std::wstring(title));
  over(HTCAPTION);
  EXPECT_FALSE(App().title_tip_active) << "with a title bar only over the icon";
  over(HTSYSMENU);
  SendMessageW(view_, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_FALSE(App().title_tip_active);
  Command(5330);
  over(HTLEFT);
  EXPECT_TRUE(App().title_tip_active) << "without a title bar anywhere on the frame";
  SendMessageW(view_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_FALSE(App().title_tip_active) << "not over the picture";
}

}  // namespace
