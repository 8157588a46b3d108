// The edit window's panes driven in-process: entering and leaving, the
// active pane, the shared geometry, scroll bars, the mouse and the keyboard
// hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "tests/win/bitmap_canvas.h"
#include "tests/win/view_edit_fixture.h"
#include "view/edit_hooks_win.h"
#include "view/edit_panes_win.h"
#include "view/edit_window_win.h"
#include "view/view_control_win.h"

namespace {

int Width(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.right - r.left;
}

bool BarShown(HWND pane, int bar) {
  SCROLLBARINFO info = {sizeof(info)};
  GetScrollBarInfo(pane, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info);
  return !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

class EditPanesTest : public ViewAndEditWindowTest {
 protected:
  void TearDown() override {
    ApplicationState& app = App();
    if (app.display_mode == kDisplayEdit) Command(5310);
    ViewAndEditWindowTest::TearDown();
    app.source_pane = app.preview_pane = nullptr;
  }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }
  void EnterEdit() {
    Command(5310);
    ASSERT_EQ(App().display_mode, kDisplayEdit);
  }
  void SetEditClient(int width, int height) { SetClientSize(edit_, width, height); }
  const ViewGeometry& G() const { return App().edit_geometry; }
  HWND Source() const { return App().source_pane; }
  HWND Preview() const { return App().preview_pane; }
};

TEST_F(EditPanesTest, TheSourcePaneShowsTheImageWhenTheEditWindowOpens) {
  ShowGradientImage(200, 100);
  App().active_pane = 0;
  EnterEdit();
  EXPECT_EQ(App().active_pane, 1) << "every entry starts with the source pane alone";
  EXPECT_TRUE(IsWindowVisible(Source()));
  EXPECT_FALSE(IsWindowVisible(Preview()));
  EXPECT_EQ(G().destination_width, 200) << "a small image at its size";
  BitmapCanvas canvas(App().pane_client.cx, App().pane_client.cy);
  SendMessageW(Source(), WM_PRINTCLIENT, WPARAM(canvas.dc()), PRF_CLIENT);
  const int left = G().destination_x, top = G().destination_y;
  EXPECT_EQ(canvas.At(left + 10, top + 20), 0x0A144Du);
  EXPECT_EQ(canvas.At(left + 199, top + 99), 0xC7634Du);
  EXPECT_EQ(canvas.At(0, 0), 0xC0C0C0u) << "the pane's light grey background around it";
  Command(5720);
  RECT preview;
  GetClientRect(Preview(), &preview);
  BitmapCanvas beside(preview.right, preview.bottom);
  SendMessageW(Preview(), WM_PRINTCLIENT, WPARAM(beside.dc()), PRF_CLIENT);
  EXPECT_EQ(beside.CountNot(0xC0C0C0), 0) << "no preview, only the background";
}

TEST_F(EditPanesTest, BothPanesShareTheWidthAndTheView) {
  EnterEdit();
  SetEditClient(801, 500);
  Command(5720);
  EXPECT_TRUE(IsWindowVisible(Source()) && IsWindowVisible(Preview()));
  EXPECT_EQ(Width(Source()), 399);
  EXPECT_EQ(Width(Preview()), 399);
  RECT edit_client, preview;
  GetClientRect(edit_, &edit_client);
  GetWindowRect(Preview(), &preview);
  MapWindowPoints(nullptr, edit_, reinterpret_cast<POINT*>(&preview), 2);
  EXPECT_EQ(preview.right, edit_client.right) << "the preview pane keeps to the right edge";
  RECT source_client;
  GetClientRect(Source(), &source_client);
  EXPECT_EQ(App().pane_client.cx, source_client.right) << "the layout's client is the pane's";
  EXPECT_EQ(App().pane_client.cy, source_client.bottom);
  Command(5722);
  EXPECT_FALSE(IsWindowVisible(Source()));
  EXPECT_EQ(Width(Preview()), 801);
  Command(5721);
  EXPECT_TRUE(IsWindowVisible(Source()));
  EXPECT_FALSE(IsWindowVisible(Preview()));
}

TEST_F(EditPanesTest, NewImagesFollowTheEditWindowsOwnZoomRules) {
  ShowGradientImage(3000, 2000);
  const double view_zoom = App().view_geometry.zoom;
  EnterEdit();
  const SIZE client = App().pane_client;
  EXPECT_LT(G().zoom, 1.0) << "shrunk to the pane by default";
  EXPECT_LE(G().scaled_width, client.cx);
  EXPECT_LE(G().scaled_height, client.cy);
  EXPECT_TRUE(G().scaled_width == client.cx || G().scaled_height == client.cy);
  EXPECT_DOUBLE_EQ(App().view_geometry.zoom, view_zoom) << "the view window keeps its own";
  Command(5310);
  App().settings.edit_shrink_large = 0;
  EnterEdit();
  EXPECT_DOUBLE_EQ(G().zoom, 1.0) << "entry 55 off: a large image stays at its size";
}

TEST_F(EditPanesTest, ScrollBarsAppearAsTheViewNeedsThemAndScrollInImagePixels) {
  App().settings.edit_shrink_large = 0;
  App().settings.edit_scroll_bars = 1;
  ShowGradientImage(1000, 300);
  EnterEdit();
  SetEditClient(600, 400);
  EXPECT_TRUE(BarShown(Source(), SB_HORZ));
  EXPECT_FALSE(BarShown(Source(), SB_VERT)) << "300 rows fit beside the horizontal bar";
  const ViewSize full = EditPaneFullClient();
  EXPECT_EQ(App().pane_client.cy, full.height - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(App().pane_client.cx, full.width);
  SCROLLINFO info = {sizeof(info), SIF_ALL};
  GetScrollInfo(Source(), SB_HORZ, &info);
  EXPECT_EQ(info.nMax, 1000);
  EXPECT_EQ(int(info.nPage), G().source_width + 1);
  EXPECT_EQ(info.nPos, G().source_x);

  const int before = G().source_x;
  SendMessageW(Source(), WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(G().source_x, before + 20);
  GetScrollInfo(Preview(), SB_HORZ, &info);
  EXPECT_EQ(info.nPos, before + 20) << "the other pane's bar follows";
  SendMessageW(Source(), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(G().source_x, 1000 - G().source_width);
  SendMessageW(Source(), WM_HSCROLL, SB_PAGELEFT, 0);
  EXPECT_EQ(G().source_x, std::max(0, 1000 - 2 * G().source_width));

  Command(5710);
  EXPECT_EQ(App().settings.edit_scroll_bars, 0);
  EXPECT_FALSE(BarShown(Source(), SB_HORZ));
  EXPECT_EQ(App().pane_client.cy, full.height) << "without bars the whole pane is used";
}

TEST_F(EditPanesTest, ArrowStepsInTheEditWindowDoubleOnlyForImagesLargerBothWays) {
  App().settings.edit_shrink_large = 0;
  ShowGradientImage(3000, 500);  // wider than the 1280 x 1024 screen, not taller
  App().settings.window_shrink_large = 0;
  ShowNewViewImage(false);
  int before = App().view_geometry.source_x;
  Command(5651);
  EXPECT_EQ(App().view_geometry.source_x - before, 32) << "the view window doubles the step";
  EnterEdit();
  before = G().source_x;
  Command(5651);
  EXPECT_EQ(G().source_x - before, 16);
}

TEST_F(EditPanesTest, TheMouseWorksInThePanesAndEscCancelsADrag) {
  App().settings.edit_shrink_large = 0;
  ShowGradientImage(2000, 1500);
  EnterEdit();
  const int x = G().source_x, y = G().source_y;
  SendMessageW(Source(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 300));
  SendMessageW(Source(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(260, 280));
  EXPECT_EQ(App().mouse_state, kStatePanning);
  SendMessageW(Source(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(250, 270));
  ASSERT_EQ(App().pan_step_shift, 1) << "larger than the screen both ways";
  EXPECT_EQ(G().source_x, x + 20);
  EXPECT_EQ(G().source_y, y + 20);
  EXPECT_TRUE(HandleEditKey(VK_ESCAPE)) << "Esc ends the drag and goes no further";
  EXPECT_EQ(App().mouse_state, kStateIdle);
  EXPECT_FALSE(HandleEditKey(VK_ESCAPE)) << "without a drag or an adjustment Esc goes on";
  EXPECT_FALSE(HandleEditKey(VK_RETURN));

  // The hook sees keys as the message loop takes them.
  SendMessageW(Source(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 300));
  SendMessageW(Source(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(200, 200));
  ASSERT_EQ(App().mouse_state, kStatePanning);
  SetForegroundWindow(edit_);
  SetFocus(edit_);
  INPUT key[2] = {};
  key[0].type = key[1].type = INPUT_KEYBOARD;
  key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
  key[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, key, sizeof(INPUT));
  Sleep(100);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  EXPECT_EQ(App().mouse_state, kStateIdle);

  const double zoom = G().zoom;
  Command(5720);
  RECT preview;
  GetWindowRect(Preview(), &preview);
  SendMessageW(edit_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(preview.left + 20, preview.top + 20));
  EXPECT_NE(G().zoom, zoom) << "the wheel zooms the pane under the pointer";
}

TEST_F(EditPanesTest, LeavingGivesTheViewWindowItsOwnFitBack) {
  ShowGradientImage(3000, 2000);
  const double view_zoom = App().view_geometry.zoom;
  EnterEdit();
  Command(5230);
  Command(5310);
  EXPECT_EQ(App().display_mode, kDisplayView);
  EXPECT_DOUBLE_EQ(App().view_geometry.zoom, view_zoom);
  EXPECT_FALSE(HandleEditKey(VK_ESCAPE));
}

TEST_F(EditPanesTest, ASavePreviewComesUpBesideTheImage) {
  std::wstring name;
  App().language.reset(LoadLanguageModule(L"English", &name));
  App().settings.save_type = 0;  // BMP
  App().settings.save_bmp_depth = 24;
  ShowGradientImage(200, 100);
  EnterEdit();
  ASSERT_EQ(App().active_pane, 1);
  Command(5810);
  EXPECT_EQ(App().active_pane, 0) << "the preview pane shows the re-decoded result";
  ASSERT_NE(App().result.pixels, nullptr);
  RECT preview;
  GetClientRect(Preview(), &preview);
  BitmapCanvas canvas(preview.right, preview.bottom);
  SendMessageW(Preview(), WM_PRINTCLIENT, WPARAM(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(canvas.At(G().destination_x + 12, G().destination_y + 34), 0x0C224Du);
  wchar_t title[128] = {};
  GetWindowTextW(edit_, title, 128);
  EXPECT_NE(std::wstring(title).find(L" .... "), std::wstring::npos) << "with its size in the title";
  Command(5310);
  EXPECT_EQ(App().result.pixels, nullptr) << "leaving drops the preview";
  App().language.reset();
}

}  // namespace
