// The navigator pop-up in-process: where it comes up and when it goes, that
// it never takes activation, the pan and zoom of a drag in it, and what it
// paints.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "app/app_state.h"
#include "app/commands_win.h"
#include "tests/win/bitmap_canvas.h"
#include "tests/win/view_edit_fixture.h"
#include "tests/win/window_test_support.h"
#include "view/edit_panes_win.h"
#include "view/edit_window_win.h"
#include "view/navigator_win.h"
#include "view/view_control_win.h"
#include "view/view_window_win.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGrey = 0x808080;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// Left half red, right half blue, in the bottom-up blue-green-red rows.
void PaintHalves(ImageBuffer& image) {
  const int width = image.header.width, height = image.header.height;
  const size_t stride = static_cast<size_t>(RowStride(width, 24));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.pixels + stride * static_cast<size_t>(y);
    for (int x = 0; x < width; ++x) {
      bool left = x < width / 2;
      row[3 * x] = left ? 0 : 255;
      row[3 * x + 2] = left ? 255 : 0;
    }
  }
}

class NavigatorTest : public ViewAndEditWindowTest {
 protected:
  void SetUp() override {
    ViewAndEditWindowTest::SetUp();
    navigator_ = App().navigator;
    ASSERT_NE(navigator_, nullptr);
    SetClient(400, 300);
    SetForegroundWindow(view_);
  }
  void TearDown() override {
    HideNavigator();
    ViewAndEditWindowTest::TearDown();
  }
  void SetClient(int width, int height) { SetClientSize(view_, width, height); }
  // At 100 %, not shrunk: larger than the 400 x 300 client.
  void ShowLargeImage(int width, int height) {
    App().settings.window_shrink_large = 0;
    ASSERT_EQ(AllocatePixels(&App().current, width, height, 24), Status::kOk);
    PaintHalves(App().current);
    ShowNewViewImage(false);
  }
  const ViewGeometry& G() const { return App().view_geometry; }
  bool Shown() const { return IsWindowVisible(navigator_) != FALSE; }
  // Where the work area lets a navigator whose left edge wants to be at x.
  LONG ClampedLeft(LONG x) const {
    RECT work = WorkAreaNear(view_);
    RECT outer = WindowRect(navigator_);
    return std::min(x, work.right - (outer.right - outer.left));
  }

  HWND navigator_ = nullptr;
};

TEST_F(NavigatorTest, RightDragPanningShowsItAtTheViewWindowsRightEdgeUntilRelease) {
  ShowLargeImage(2000, 1000);
  EXPECT_FALSE(Shown());
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(200, 150));
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(180, 150));
  ASSERT_TRUE(Shown());
  EXPECT_EQ(WindowRect(navigator_).left, ClampedLeft(WindowRect(view_).right));
  EXPECT_EQ(WindowRect(navigator_).top, ClientOnScreen(view_).top);
  EXPECT_EQ(GetForegroundWindow(), view_);
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(180, 150));
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(App().navigator_shown);
}

TEST_F(NavigatorTest, SmallClientPansWithoutIt) {
  SetClient(240, 300);
  ShowLargeImage(2000, 1000);
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(100, 150));
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(80, 150));
  EXPECT_FALSE(Shown());
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(80, 150));
}

TEST_F(NavigatorTest, HoverNearTheTopRightCornerShowsIt80PixelsFurtherLeft) {
  ShowLargeImage(2000, 1000);
  SendMessageW(view_, WM_MOUSEMOVE, 0, Point(390, 60));  // below the bar's zone
  ASSERT_TRUE(Shown());
  EXPECT_TRUE(App().navigator_by_hover);
  EXPECT_EQ(WindowRect(navigator_).left, ClampedLeft(WindowRect(view_).right - 80));
  EXPECT_EQ(WindowRect(navigator_).top, ClientOnScreen(view_).top);
  // The next move elsewhere over the view takes it away.
  SendMessageW(view_, WM_MOUSEMOVE, 0, Point(200, 150));
  EXPECT_FALSE(Shown());
}

TEST_F(NavigatorTest, ClientIs160By120AndItNeverTakesActivation) {
  ShowLargeImage(2000, 1000);
  ShowNavigatorByHover();
  RECT client;
  GetClientRect(navigator_, &client);
  EXPECT_EQ(client.right, 160);
  EXPECT_EQ(client.bottom, 120);
  EXPECT_TRUE(GetWindowLongW(navigator_, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongW(navigator_, GWL_STYLE) & WS_BORDER);
  EXPECT_TRUE(GetWindowLongW(navigator_, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_EQ(GetWindow(navigator_, GW_OWNER), edit_);
  EXPECT_EQ(SendMessageW(navigator_, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(view_),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(GetForegroundWindow(), view_);
  EXPECT_EQ(GetActiveWindow(), view_);
  SendMessageW(navigator_, WM_LBUTTONDOWN, MK_LBUTTON, Point(80, 60));
  SendMessageW(navigator_, WM_LBUTTONUP, 0, Point(80, 60));
  EXPECT_EQ(GetActiveWindow(), view_);
}

TEST_F(NavigatorTest, LeftDragPansTheViewByTheMovementOverTheScale) {
  ShowLargeImage(2000, 1000);
  SetViewZoom(0.5);  // 1000 x 500 on screen: still larger, and smoothed
  ShowNavigatorByHover();
  const int x0 = G().source_x, y0 = G().source_y;
  SendMessageW(navigator_, WM_LBUTTONDOWN, MK_LBUTTON, Point(80, 60));
  EXPECT_EQ(GetCapture(), navigator_);
  // s = 160 / 2000: 4 pixels are 50 image pixels, 3 are 37.5, so 38.
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_LBUTTON, Point(84, 63));
  EXPECT_EQ(G().source_x, x0 + 50);
  EXPECT_EQ(G().source_y, y0 + 38);
  EXPECT_EQ(GetStretchBltMode(App().view_dc), COLORONCOLOR);
  // Measured from the press, so no rounding piles up: 5 pixels left of it.
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_LBUTTON, Point(83, 63));
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_LBUTTON, Point(75, 60));
  EXPECT_EQ(G().source_x, x0 - 63);
  EXPECT_EQ(G().source_y, y0);
  SendMessageW(navigator_, WM_LBUTTONUP, 0, Point(75, 60));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetStretchBltMode(App().view_dc), HALFTONE);
  EXPECT_TRUE(Shown()) << "opened by hovering, it waits for the next move over the view";
}

TEST_F(NavigatorTest, RightDragIsTheZoomSlider) {
  ShowLargeImage(2000, 1000);
  ShowNavigatorByHover();
  ASSERT_DOUBLE_EQ(G().zoom, 1.0);  // slider at 100
  SendMessageW(navigator_, WM_RBUTTONDOWN, MK_RBUTTON, Point(80, 100));
  // Up 40 and 10 aside: 50 further, p = 150.
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_RBUTTON, Point(90, 60));
  EXPECT_DOUBLE_EQ(G().zoom, 0.375 * 0.375 * 15.99 + 0.01);
  EXPECT_EQ(G().scaled_width, 4517);  // 2000 x 2.2586
  // Down 30 and 20 aside: 50 back, p = 50.
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_RBUTTON, Point(60, 130));
  EXPECT_DOUBLE_EQ(G().zoom, 0.125 * 0.125 * 15.99 + 0.01);
  SendMessageW(navigator_, WM_MOUSEMOVE, MK_RBUTTON, Point(60, 900));
  EXPECT_DOUBLE_EQ(G().zoom, 0.01);
  SendMessageW(navigator_, WM_RBUTTONUP, 0, Point(60, 900));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NavigatorTest, PaintsTheWholeImageWithTheShownPartFramed) {
  ShowLargeImage(2000, 1000);
  ShowNavigatorByHover();
  BitmapCanvas canvas(160, 120);
  SendMessageW(navigator_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  // s = 0.08: the thumbnail is 160 x 80 at y 20 on the grey background.
  EXPECT_EQ(canvas.At(80, 5), kGrey);
  EXPECT_EQ(canvas.At(80, 110), kGrey);
  EXPECT_EQ(canvas.At(20, 30), kRed);
  EXPECT_EQ(canvas.At(140, 90), kBlue);
  // The 400 x 300 view at (800, 350) is framed at (64, 48), 32 x 24, in XOR grey.
  EXPECT_EQ(canvas.At(64, 60), kRed ^ kGrey);
  EXPECT_EQ(canvas.At(70, 48), kRed ^ kGrey);
  EXPECT_EQ(canvas.At(95, 60), kBlue ^ kGrey);
  EXPECT_EQ(canvas.At(70, 60), kRed) << "inside the frame the picture shows";
  // A pan moves the frame.
  PanViewBy(-800, 0);
  SendMessageW(navigator_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(canvas.At(0, 60), kRed ^ kGrey);
  EXPECT_EQ(canvas.At(64, 60), kRed);
}

TEST_F(NavigatorTest, EditWindowShowsItInsideThePanesWhileItsSettingIsOn) {
  ShowLargeImage(2000, 1000);
  ApplicationState& app = App();
  app.display_mode = kDisplayEdit;
  ShowWindow(edit_, SW_SHOWNOACTIVATE);
  app.settings.edit_navigator = 0;
  ShowEditNavigator();
  EXPECT_FALSE(Shown()) << "off by default";
  app.settings.edit_navigator = 1;
  ShowEditNavigator();
  ASSERT_TRUE(Shown());
  RECT panes = EditPaneArea();
  MapWindowPoints(edit_, nullptr, reinterpret_cast<POINT*>(&panes), 2);
  RECT outer = WindowRect(navigator_);
  EXPECT_EQ(outer.left, ClampedLeft(panes.right - (outer.right - outer.left)));
  EXPECT_EQ(outer.top, panes.top);
  // A drag's end leaves it up while the setting is on.
  SendMessageW(navigator_, WM_LBUTTONDOWN, MK_LBUTTON, Point(80, 60));
  SendMessageW(navigator_, WM_LBUTTONUP, 0, Point(80, 60));
  EXPECT_TRUE(Shown());
  HideEditNavigator();
  EXPECT_FALSE(Shown());
  // The tool strip's command turns the setting off and on.
  ShowEditNavigator();
  DispatchEditCommand(5740);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(app.settings.edit_navigator, 0);
  DispatchEditCommand(5740);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(app.settings.edit_navigator, 1);
}

}  // namespace
