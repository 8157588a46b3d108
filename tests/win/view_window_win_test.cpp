// The view window driven in-process with real window messages: zoom, pan,
// the mouse states and sizing around a current image put in place directly.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "app/arrange_win.h"
#include "app/commands_win.h"
#include "image/animation_frames.h"
#include "image/current_image_win.h"
#include "tests/win/view_test_window.h"
#include "tests/win/window_test_support.h"
#include "view/animation_win.h"
#include "view/view_control_win.h"
#include "view/view_mouse_win.h"
#include "view/view_window_win.h"
#include "view/view_zoom.h"

namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class ViewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = CreateTestViewWindow(50, 50, 420, 340);
    ASSERT_NE(view_, nullptr);
  }
  void TearDown() override {
    ApplicationState& app = App();
    ReleasePixels(&app.current);
    DestroyWindow(view_);  // no WM_CLOSE: nothing is written
    MSG m;  // drop the quit message the window posts
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void ShowImage(int width, int height) {
    ASSERT_EQ(AllocatePixels(&App().current, width, height, 24), Status::kOk);
    ShowNewViewImage(false);
  }
  void SetClient(int width, int height) { SetClientSize(view_, width, height); }
  const ViewGeometry& G() const { return App().view_geometry; }
  HWND view_ = nullptr;
};

TEST_F(ViewWindowTest, SmallImageIsCentredAtFullSize) {
  SetClient(400, 300);
  ShowImage(100, 60);
  EXPECT_DOUBLE_EQ(G().zoom, 1.0);
  EXPECT_EQ(G().destination_x, 150);
  EXPECT_EQ(G().destination_y, 120);
  EXPECT_EQ(G().destination_width, 100);
}

TEST_F(ViewWindowTest, ZoomCommandsFromKeysAndTheLimits) {
  SetClient(400, 300);
  ShowImage(100, 100);
  SendMessageW(view_, WM_COMMAND, 5230, 0);
  EXPECT_DOUBLE_EQ(G().zoom, 2.0);
  EXPECT_EQ(G().scaled_width, 200);
  SendMessageW(view_, WM_COMMAND, 5600, 0);  // not at 1: back to 1
  EXPECT_DOUBLE_EQ(G().zoom, 1.0);
  SendMessageW(view_, WM_COMMAND, 5600, 0);  // at 1: fit the client
  EXPECT_DOUBLE_EQ(G().zoom, 3.0);
  for (int i = 0; i < 5; ++i) SendMessageW(view_, WM_COMMAND, 5230, 0);
  EXPECT_DOUBLE_EQ(G().zoom, 16.0);
}

TEST_F(ViewWindowTest, LargeImageLargerThanTheClientShrinksToFit) {
  SetClient(400, 300);
  ShowImage(800, 300);  // shrink large images is on by default
  EXPECT_DOUBLE_EQ(G().zoom, 0.5);
  EXPECT_EQ(G().destination_width, 400);
}

TEST_F(ViewWindowTest, RightDragOnAFittingImageDoesNothing) {
  SetClient(400, 300);
  ShowImage(100, 100);
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(200, 150));
  EXPECT_EQ(App().mouse_state, kStateRightPressed);
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(220, 150));
  EXPECT_EQ(App().mouse_state, kStateNoEffect);
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(220, 150));
  EXPECT_EQ(App().mouse_state, kStateIdle);
  EXPECT_EQ(G().source_x, 0);
}

TEST_F(ViewWindowTest, RightDragPansALargeImage) {
  SetClient(400, 300);
  App().settings.window_shrink_large = 0;
  ShowImage(2000, 1000);
  int start_x = G().source_x;
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(200, 150));
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(190, 150));  // beyond the threshold 8
  EXPECT_EQ(App().mouse_state, kStatePanning);
  EXPECT_TRUE(App().navigator_shown) << "a 400 x 300 view shows the navigator while panning";
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(170, 150));
  // The image follows the drag, in double steps for images wider than the screen.
  EXPECT_EQ(App().pan_step_shift, 1);
  EXPECT_EQ(G().source_x, start_x + (20 << 1));
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(170, 150));
  EXPECT_EQ(App().mouse_state, kStateIdle);
  EXPECT_FALSE(App().navigator_shown) << "and hides it when the button comes up";
}

TEST_F(ViewWindowTest, WheelRunsItsBindingAboutThePointer) {
  SetClient(400, 300);
  ShowImage(100, 100);
  POINT screen = {200, 150};
  ClientToScreen(view_, &screen);
  // Wheel toward the user: the default binding zooms in by 0.1.
  SendMessageW(view_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               Point(screen.x, screen.y));
  EXPECT_NEAR(G().zoom, 1.1, 1e-9);
  // With a key held the wheel does nothing.
  SendMessageW(view_, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), Point(screen.x, screen.y));
  EXPECT_NEAR(G().zoom, 1.1, 1e-9);
}

TEST_F(ViewWindowTest, CtrlDragDrawsAZoomRectangleThatZooms) {
  SetClient(400, 300);
  ShowImage(200, 200);
  SendMessageW(view_, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Point(110, 60));
  EXPECT_EQ(App().mouse_state, kStateZoomRectangle);
  SendMessageW(view_, WM_MOUSEMOVE, MK_LBUTTON, Point(160, 110));
  SendMessageW(view_, WM_LBUTTONUP, 0, Point(160, 110));
  EXPECT_EQ(App().mouse_state, kStateIdle);
  EXPECT_GT(G().zoom, 4.0);

  // A rectangle no wider than the threshold changes nothing.
  double zoom = G().zoom;
  SendMessageW(view_, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Point(200, 150));
  SendMessageW(view_, WM_MOUSEMOVE, MK_LBUTTON, Point(208, 190));
  SendMessageW(view_, WM_LBUTTONUP, 0, Point(208, 190));
  EXPECT_DOUBLE_EQ(G().zoom, zoom);
}

TEST_F(ViewWindowTest, LeftDragSetToZoomStartsTheRectangleAtItsAnchor) {
  SetClient(400, 300);
  ShowImage(200, 200);
  App().settings.view_left_drag_action = 2;
  SendMessageW(view_, WM_LBUTTONDOWN, MK_LBUTTON, Point(110, 60));
  SendMessageW(view_, WM_MOUSEMOVE, MK_LBUTTON, Point(160, 110));
  ASSERT_EQ(App().mouse_state, kStateZoomRectangle);
  // Nothing is drawn yet: the next move's XOR erase must undo nothing, so
  // the remembered corner is the anchor, not the raw pointer.
  EXPECT_EQ(App().drag_last.x, App().drag_anchor.x);
  EXPECT_EQ(App().drag_last.y, App().drag_anchor.y);
  SendMessageW(view_, WM_LBUTTONUP, 0, Point(160, 110));
  EXPECT_EQ(App().mouse_state, kStateIdle);
}

TEST_F(ViewWindowTest, GestureBoundToAZoomZoomsAboutThePointer) {
  SetClient(400, 300);
  ShowImage(800, 800);  // larger than the client at every zoom in
  App().settings.mouse_bindings[kMouseRightGestureUp] = 5230;  // zoom in
  ViewPoint pointer = {120, 100};
  ViewPoint before = ImagePointAt(pointer, G(), {800, 800});
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(pointer.x, pointer.y + 30));
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(pointer.x, pointer.y));
  ASSERT_EQ(App().mouse_state, kStateRightGestureLeft + 2);
  double zoom = G().zoom;
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(pointer.x, pointer.y));
  ASSERT_GT(G().zoom, zoom);
  ViewPoint after = ImagePointAt(pointer, G(), {800, 800});
  EXPECT_NEAR(after.x, before.x, 1) << "the pixel under the pointer stays there";
  EXPECT_NEAR(after.y, before.y, 1);
}

TEST_F(ViewWindowTest, GestureRunsItsBindingInsteadOfTheMenu) {
  SetClient(400, 300);
  ShowImage(100, 100);
  App().settings.mouse_bindings[kMouseRightGestureUp] = 5230;  // zoom in
  SendMessageW(view_, WM_RBUTTONDOWN, MK_RBUTTON, Point(200, 150));
  SendMessageW(view_, WM_MOUSEMOVE, MK_RBUTTON, Point(202, 120));
  EXPECT_EQ(App().mouse_state, kStateRightGestureLeft + 2);
  SendMessageW(view_, WM_RBUTTONUP, 0, Point(202, 120));
  EXPECT_DOUBLE_EQ(G().zoom, 2.0);
  EXPECT_EQ(App().mouse_state, kStateIdle);
}

// A placement record as another viewer sends it: left, top, width, height.
void PlaceInto(int left, int top, int width, int height) {
  int32_t record[4] = {left, top, width, height};
  HandleArrangementMessage(kArrangePlace, record, sizeof(record));
}

TEST_F(ViewWindowTest, FollowingWindowArrangedIntoACellRefitsTheImageThere) {
  App().settings.view_follows_image = 1;
  ShowImage(600, 400);  // fits the work area at 100 %
  ASSERT_DOUBLE_EQ(G().zoom, 1.0);
  RECT work = WorkAreaNear(view_);
  PlaceInto(work.left, work.top, 320, 240);
  EXPECT_LT(G().zoom, 0.6) << "the image shrinks to the cell";
  RECT frame;
  GetWindowRect(view_, &frame);
  EXPECT_GE(frame.left, work.left);
  EXPECT_GE(frame.top, work.top);
  EXPECT_LE(frame.right, work.left + 320);
  EXPECT_LE(frame.bottom, work.top + 240);

  // Centring all viewers refits to the whole work area again.
  HandleArrangementMessage(kArrangeCentre, nullptr, 0);
  EXPECT_DOUBLE_EQ(G().zoom, 1.0);
  GetWindowRect(view_, &frame);
  int middle_x = (work.left + work.right) / 2, middle_y = (work.top + work.bottom) / 2;
  EXPECT_NEAR((frame.left + frame.right) / 2, middle_x, 2);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, middle_y, 2);
}

TEST_F(ViewWindowTest, CornerDragOfAFollowingWindowKeepsTheImageAspect) {
  App().settings.view_follows_image = 1;
  ShowImage(300, 150);
  RECT proposed;
  GetWindowRect(view_, &proposed);
  proposed.right += 100;
  proposed.bottom += 10;
  SendMessageW(view_, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongW(view_, GWL_STYLE), FALSE, GetWindowLongW(view_, GWL_EXSTYLE));
  int client_w = (proposed.right - proposed.left) - (frame.right - frame.left);
  int client_h = (proposed.bottom - proposed.top) - (frame.bottom - frame.top);
  EXPECT_NEAR(static_cast<double>(client_w) / client_h, 2.0, 0.02);
}

TEST_F(ViewWindowTest, FollowingWindowGrowsWithTheZoom) {
  App().settings.view_follows_image = 1;
  ShowImage(300, 200);
  RECT client;
  GetClientRect(view_, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  SendMessageW(view_, WM_COMMAND, 5230, 0);
  GetClientRect(view_, &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 400);
  EXPECT_EQ(G().destination_x, 0);
  RECT window;
  GetWindowRect(view_, &window);
  EXPECT_EQ(App().fitted_window.cx, window.right - window.left) << "the fitted size is the window's";
  EXPECT_EQ(App().fitted_window.cy, window.bottom - window.top);
}

TEST_F(ViewWindowTest, BackgroundCommandsAreRemembered) {
  SendMessageW(view_, WM_COMMAND, 5345, 0);
  EXPECT_EQ(App().settings.view_background, 4);
  SendMessageW(view_, WM_COMMAND, 5341, 0);
  EXPECT_EQ(App().settings.view_background, 0);
}

// Frames of 20 ms, repeated once: every frame is shown twice, then
// the view rests on the first, and a new image leaves no timer behind.
TEST_F(ViewWindowTest, AnimationTimerShowsEveryFrameThenRestsOnTheFirst) {
  ApplicationState& app = App();
  SetClient(400, 300);
  ASSERT_EQ(AllocatePixels(&app.current, 8, 8, 24), Status::kOk);
  auto* list = new AnimationFrameList;
  list->frames.resize(3);
  for (int i = 1; i < 3; ++i) list->frames[size_t(i)].canvas = PageBlock(RowStride(8, 24) * 8 + 4);
  for (AnimationFrame& frame : list->frames) frame.delay = 2;
  list->loop_count = 1;
  SetAnimation(&app.current, list);
  ShowNewViewImage(false);
  EXPECT_TRUE(app.animation.running);
  std::vector<const uint8_t*> shown = {ShownViewPixels()};
  const DWORD start = GetTickCount();
  while (app.animation.running && GetTickCount() - start < 3000) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    if (ShownViewPixels() != shown.back()) shown.push_back(ShownViewPixels());
    Sleep(1);
  }
  EXPECT_FALSE(app.animation.running);
  const uint8_t* first = app.current.pixels;
  const uint8_t* second = list->frames[1].canvas.data();
  const uint8_t* third = list->frames[2].canvas.data();
  EXPECT_EQ(shown, (std::vector<const uint8_t*>{first, second, third, first, second, third, first}));
  RestartAnimation();
  EXPECT_TRUE(app.animation.running);
  ClearCurrentImage();
  EXPECT_FALSE(app.animation.running);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, view_, WM_TIMER, WM_TIMER, PM_REMOVE)) << "the timer went with the list";
}

}  // namespace
