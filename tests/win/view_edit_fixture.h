// A fixture with the view window shown and the edit window (with the
// navigator it creates) behind it, all gone again after each test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "tests/win/view_test_window.h"
#include "view/edit_window_win.h"
#include "view/view_control_win.h"

class ViewAndEditWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = CreateTestViewWindow(60, 40, 420, 340);
    ASSERT_NE(view_, nullptr);
    edit_ = CreateEditWindow(App().instance);
    ASSERT_NE(edit_, nullptr);
    ShowWindow(view_, SW_SHOW);
  }
  void TearDown() override {
    ApplicationState& app = App();
    ReleasePixels(&app.current);
    DestroyWindow(app.navigator);
    DestroyWindow(edit_);
    DestroyWindow(view_);
    app.navigator = nullptr;
    app.navigator_shown = app.navigator_by_hover = false;
    app.edit_window = nullptr;
    app.display_mode = kDisplayView;
    MSG m;  // drop what the windows posted, closing included
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // Shows an image whose pixel (x, y) from the top has red x, green y and
  // blue 77: every pixel differs from its neighbours, and a colour read back
  // says where it came from.
  void ShowGradientImage(int width, int height) {
    ASSERT_EQ(AllocatePixels(&App().current, width, height, 24), Status::kOk);
    for (int y = 0; y < height; ++y) {
      uint8_t* row = RowFromTop(App().current, y);
      for (int x = 0; x < width; ++x) {
        row[3 * x] = 77;
        row[3 * x + 1] = uint8_t(y);
        row[3 * x + 2] = uint8_t(x);
      }
    }
    ShowNewViewImage(false);
  }

  HWND view_ = nullptr;
  HWND edit_ = nullptr;
};
