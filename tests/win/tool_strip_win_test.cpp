// The edit window's tool strip driven in-process: its place above the
// panes, the zoom field both ways, the pane buttons and the menu buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_state.h"
#include "app/interface_font_win.h"
#include "app/language_module_win.h"
#include "tests/win/view_edit_fixture.h"
#include "view/edit_window_win.h"
#include "view/tool_strip_win.h"
#include "view/view_control_win.h"

namespace {

class ToolStripTest : public ViewAndEditWindowTest {
 protected:
  void SetUp() override {
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    ViewAndEditWindowTest::SetUp();
    strip_ = GetDlgItem(edit_, kToolStripId);
    ASSERT_NE(strip_, nullptr);
    files_ = GetDlgItem(strip_, 1011);
    view_band_ = GetDlgItem(strip_, 1012);
    ASSERT_TRUE(files_ && view_band_);
    field_ = GetDlgItem(view_band_, 1041);
    ASSERT_NE(field_, nullptr);
    ASSERT_EQ(AllocatePixels(&App().current, 300, 200, 24), Status::kOk);
    ShowNewViewImage(false);
    SendMessageW(view_, WM_COMMAND, 5310, 0);
    ASSERT_EQ(App().display_mode, kDisplayEdit);
  }
  void TearDown() override {
    ApplicationState& app = App();
    SendMessageW(view_, WM_COMMAND, 5310, 0);
    ViewAndEditWindowTest::TearDown();
    app.source_pane = app.preview_pane = nullptr;
    app.accelerators_suspended = false;
    app.language.reset();
  }
  std::wstring FieldText() {
    wchar_t text[16] = {};
    GetWindowTextW(field_, text, 16);
    return text;
  }
  HWND strip_ = nullptr, files_ = nullptr, view_band_ = nullptr, field_ = nullptr;
};

TEST_F(ToolStripTest, ThePanesBeginBelowTheStrip) {
  RECT strip, pane;
  GetWindowRect(strip_, &strip);
  GetWindowRect(App().source_pane, &pane);
  EXPECT_GT(strip.bottom - strip.top, 20);
  EXPECT_EQ(pane.top, strip.bottom);
  RECT client;
  GetClientRect(edit_, &client);
  EXPECT_EQ(strip.right - strip.left, client.right) << "the strip spans the window";
  EXPECT_GE(ToolStripRows(), 1);
}

TEST_F(ToolStripTest, TheZoomFieldShowsAndSetsThePanesZoom) {
  EXPECT_EQ(FieldText(), L"100");
  SetWindowTextW(field_, L"5000");
  EXPECT_DOUBLE_EQ(App().edit_geometry.zoom, 16.0) << "held at 1600 %";
  SetWindowTextW(field_, L"50");
  EXPECT_DOUBLE_EQ(App().edit_geometry.zoom, 0.5);
  EXPECT_EQ(App().edit_geometry.scaled_width, 150) << "the panes are laid out anew";
  SetWindowTextW(field_, L"0");
  EXPECT_DOUBLE_EQ(App().edit_geometry.zoom, 0.01);

  SendMessageW(view_, WM_COMMAND, 5220, 0);  // actual size, from a key
  EXPECT_EQ(FieldText(), L"100") << "the field follows the zoom";

  SetFocus(field_);
  EXPECT_TRUE(App().accelerators_suspended) << "typed digits are not commands";
  SetWindowTextW(field_, L"");
  SetFocus(edit_);
  EXPECT_FALSE(App().accelerators_suspended);
  EXPECT_EQ(FieldText(), L"100") << "leaving the field writes the zoom back";
}

TEST_F(ToolStripTest, PaneButtonsAreARadioGroupAndReachTheEditWindow) {
  EXPECT_TRUE(SendMessageW(view_band_, TB_ISBUTTONCHECKED, 5721, 0)) << "the source pane alone";
  SendMessageW(edit_, WM_COMMAND, MAKEWPARAM(5720, BN_CLICKED), LPARAM(view_band_));
  EXPECT_EQ(App().active_pane, 0);
  EXPECT_TRUE(SendMessageW(view_band_, TB_ISBUTTONCHECKED, 5720, 0));
  EXPECT_FALSE(SendMessageW(view_band_, TB_ISBUTTONCHECKED, 5721, 0));
  SendMessageW(view_, WM_COMMAND, 5722, 0);  // from the key
  EXPECT_TRUE(SendMessageW(view_band_, TB_ISBUTTONCHECKED, 5722, 0));
}

TEST_F(ToolStripTest, MenuButtonsAreCaptionedWithTheirMenus) {
  wchar_t text[64] = {};
  for (auto [id, caption] : {std::pair{5106, L"Transform"}, {5107, L"Colour"}, {5108, L"Filter"},
                             {5400, L"Programs"}}) {
    SendMessageW(files_, TB_GETBUTTONTEXTW, id, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), caption) << id;
  }
}

TEST_F(ToolStripTest, ALargerInterfaceFontBuildsTheBarsTaller) {
  auto button_height = [this] {
    HWND band = GetDlgItem(GetDlgItem(edit_, kToolStripId), 1012);
    return HIWORD(SendMessageW(band, TB_GETBUTTONSIZE, 0, 0));
  };
  const int before = button_height();
  const int old_height = App().settings.font_height;
  App().settings.font_height = -14;
  App().settings.font_weight = FW_BOLD;
  ChangeInterfaceFont();
  EXPECT_GT(button_height(), before);
  HWND strip = GetDlgItem(edit_, kToolStripId);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(SendMessageW(strip, RB_GETBANDCOUNT, 0, 0), 3) << "every band is back";
  HWND field = GetDlgItem(GetDlgItem(strip, 1012), 1041);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)), App().ui_font.get());
  RECT bar, pane;
  GetWindowRect(strip, &bar);
  GetWindowRect(App().source_pane, &pane);
  EXPECT_EQ(pane.top, bar.bottom) << "the panes make room";
  App().settings.font_height = old_height;
  App().settings.font_weight = FW_NORMAL;
  ChangeInterfaceFont();
}

}  // namespace
