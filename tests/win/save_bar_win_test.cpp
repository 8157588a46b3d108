// The edit window's save-options bar and the eyedropper driven in-process:
// what each save type shows, typed numbers, Enter making the preview, a
// changed option remaking it, and picking the transparent colour.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "codecs/save_options.h"
#include "image/save_preview_win.h"
#include "tests/win/view_edit_fixture.h"
#include "tests/win/window_test_support.h"
#include "view/edit_hooks_win.h"
#include "view/edit_window_win.h"
#include "view/save_bar_win.h"
#include "view/tool_strip_win.h"
#include "view/view_control_win.h"

namespace {

constexpr int kQuality = 1061, kLimit = 1062, kLevel = 1070, kGamma = 1073, kColourBox = 1060;

class SaveBarTest : public ViewAndEditWindowTest {
 protected:
  void SetUp() override {
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    SettingsValues& s = App().settings;
    s.save_type = kSaveBmp;
    s.save_png_depth = s.save_bmp_depth = s.save_tiff_depth = 24;
    s.save_gif_depth = 8;
    s.jpeg_quality = 75;
    s.save_size_limit = 0;
    s.save_size_limit_kib = 100;
    s.save_compression_level = 9;
    s.save_gamma = 2200;
    s.save_transparency = 0;
    s.save_transparent_colour = 0xFFFFFF;
    s.save_png_grey = s.save_jpeg_progressive = 0;
    ViewAndEditWindowTest::SetUp();
    ShowGradientImage(240, 160);
    Command(5310);
    ASSERT_EQ(App().display_mode, kDisplayEdit);
    bar_ = GetDlgItem(GetDlgItem(edit_, kToolStripId), kSaveBarId);
    ASSERT_NE(bar_, nullptr);
  }
  void TearDown() override {
    ApplicationState& app = App();
    if (app.display_mode == kDisplayEdit) Command(5310);
    ViewAndEditWindowTest::TearDown();
    app.source_pane = app.preview_pane = nullptr;
    app.accelerators_suspended = false;
    app.eyedropper_on = false;
    app.language.reset();
  }
  // Every pixel differs from its neighbours, so the JPEG quality shows in
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }
  HWND Control(int id) { return GetDlgItem(bar_, id); }
  bool ButtonShown(int id) { return !SendMessageW(bar_, TB_ISBUTTONHIDDEN, id, 0); }
  bool ButtonChecked(int id) { return SendMessageW(bar_, TB_ISBUTTONCHECKED, id, 0) != 0; }
  bool ButtonEnabled(int id) { return SendMessageW(bar_, TB_ISBUTTONENABLED, id, 0) != 0; }
  std::wstring Caption(int id) {
    wchar_t text[64] = {};
    SendMessageW(bar_, TB_GETBUTTONTEXTW, id, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Types into a field as the user would: focus first, then the text.
  void Type(int field, const wchar_t* text) {
    SetFocus(Control(field));
    SetWindowTextW(Control(field), text);
  }
  uint32_t PreviewBytes() const { return App().document.temporary.bytes; }
  POINT OnImage(int x, int y) const {
    const ViewGeometry& g = App().edit_geometry;
    return {g.destination_x + x, g.destination_y + y};
  }
  void Mouse(UINT message, POINT client) {
    SendMessageW(App().source_pane, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(client.x, client.y));
  }
  HWND bar_ = nullptr;
};

TEST_F(SaveBarTest, EachSaveTypeShowsItsOwnOptions) {
  EXPECT_EQ(Caption(5800), L"BMP");
  EXPECT_TRUE(ButtonShown(5820)) << "depth";
  EXPECT_FALSE(IsWindowVisible(Control(kQuality)));
  EXPECT_FALSE(ButtonShown(5834)) << "no transparency in a BMP";
  EXPECT_FALSE(ButtonEnabled(5831)) << "no dither at 24 bits";

  Command(5803);
  EXPECT_EQ(App().settings.save_type, kSaveJpeg);
  EXPECT_EQ(Caption(5800), L"JPEG");
  EXPECT_FALSE(ButtonShown(5820)) << "JPEG has no depth to choose";
  EXPECT_TRUE(IsWindowVisible(Control(kQuality)));
  EXPECT_EQ(WindowText(Control(kQuality)), L"75");
  EXPECT_TRUE(IsWindowVisible(Control(kLimit)));
  EXPECT_FALSE(IsWindowEnabled(Control(kLimit))) << "until the limit is switched on";
  Command(5835);
  EXPECT_TRUE(App().settings.save_size_limit);
  EXPECT_TRUE(IsWindowEnabled(Control(kLimit)));
  EXPECT_TRUE(ButtonChecked(5835));
  EXPECT_FALSE(IsWindowVisible(Control(kLevel)));

  Command(5802);
  EXPECT_EQ(Caption(5800), L"PNG");
  EXPECT_TRUE(IsWindowVisible(Control(kLevel)) && IsWindowVisible(Control(kGamma)));
  EXPECT_EQ(WindowText(Control(kGamma)), L"2200");
  EXPECT_FALSE(IsWindowVisible(Control(kQuality)));
  EXPECT_TRUE(IsWindowVisible(Control(kColourBox)));
  RECT level, gamma;
  GetWindowRect(Control(kLevel), &level);
  GetWindowRect(Control(kGamma), &gamma);
  EXPECT_LT(level.right, gamma.left) << "the fields follow their places on the bar";

  Command(5806);
  EXPECT_EQ(App().settings.save_type, kSavePng) << "a lossless save needs a JPEG file";
}

TEST_F(SaveBarTest, GreyIsOfferedForPngOnlyAtEightBits) {
  Command(5802);
  EXPECT_EQ(Caption(5820), L"24 bits");
  EXPECT_FALSE(ButtonEnabled(5830));
  Command(5822);  // the second of 24, 8, 4, 2, 1
  EXPECT_EQ(App().settings.save_png_depth, 8);
  EXPECT_EQ(Caption(5820), L"8 bits");
  EXPECT_TRUE(ButtonEnabled(5830));
  EXPECT_TRUE(ButtonEnabled(5831)) << "fewer colours can be dithered";
  Command(5830);
  EXPECT_TRUE(App().settings.save_png_grey);
  EXPECT_TRUE(ButtonChecked(5830));
  Command(5823);  // 4 bits
  EXPECT_FALSE(ButtonChecked(5830)) << "grey levels are not kept at 4 bits";
}

TEST_F(SaveBarTest, ATypedNumberIsHeldInRangeAndShownSoOnLeavingTheField) {
  Command(5803);
  Type(kQuality, L"500");
  EXPECT_TRUE(App().accelerators_suspended) << "typed digits are not commands";
  EXPECT_EQ(App().settings.jpeg_quality, 100);
  EXPECT_EQ(WindowText(Control(kQuality)), L"500") << "what was typed stays while typing";
  Type(kQuality, L"");
  EXPECT_EQ(App().settings.jpeg_quality, 100) << "an empty field changes nothing";
  SetFocus(edit_);
  EXPECT_FALSE(App().accelerators_suspended);
  EXPECT_EQ(WindowText(Control(kQuality)), L"100");
  Command(5861);
  EXPECT_EQ(GetFocus(), Control(kQuality)) << "the label puts the keys in its field";
}

TEST_F(SaveBarTest, EnterInANumberFieldMakesTheSavePreview) {
  Command(5803);
  SetFocus(edit_);
  EXPECT_FALSE(HandleEditKey(VK_RETURN)) << "Enter elsewhere is not the bar's";
  Type(kQuality, L"90");
  ASSERT_TRUE(HandleEditKey(VK_RETURN));
  ASSERT_NE(App().result.pixels, nullptr);
  EXPECT_EQ(App().document.temporary.options.jpeg_quality, 90);
  EXPECT_EQ(App().active_pane, 0) << "beside the picture";
  EXPECT_NE(WindowText(edit_).find(L" .... "), std::wstring::npos);
  const uint32_t fine = PreviewBytes();

  Type(kQuality, L"10");
  ASSERT_TRUE(HandleEditKey(VK_RETURN));
  EXPECT_EQ(App().document.temporary.options.jpeg_quality, 10);
  EXPECT_LT(PreviewBytes(), fine);

  Command(5833);
  EXPECT_TRUE(App().document.temporary.options.jpeg_progressive)
      << "a changed option remakes the preview that is shown";
}

TEST_F(SaveBarTest, TheEyedropperTakesTheColourClickedOnTheImage) {
  Command(5802);
  Command(5720);  // both panes
  Command(5850);
  ASSERT_TRUE(App().eyedropper_on);
  EXPECT_EQ(App().active_pane, 1) << "the picture alone while picking";
  EXPECT_EQ(GetCapture(), App().source_pane);
  EXPECT_TRUE(App().accelerators_suspended);
  EXPECT_TRUE(ButtonChecked(5850));

  Mouse(WM_MOUSEMOVE, OnImage(12, 34));
  EXPECT_EQ(WindowText(edit_), L"r:12  g:34  b:77");
  EXPECT_EQ(App().eyedropper_colour, RGB(12, 34, 77)) << "the colour box shows it";
  Mouse(WM_MOUSEMOVE, OnImage(-1, 34));
  EXPECT_EQ(WindowText(edit_), L"r:-  g:-  b:-");
  Mouse(WM_LBUTTONDOWN, OnImage(20, 5));
  EXPECT_FALSE(App().eyedropper_on);
  EXPECT_EQ(App().settings.save_transparent_colour, RGB(20, 5, 77));
  EXPECT_TRUE(App().settings.save_transparency);
  EXPECT_EQ(App().active_pane, 0) << "the panes come back";
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(App().accelerators_suspended);
  EXPECT_FALSE(ButtonChecked(5850));
  EXPECT_EQ(WindowText(edit_).find(L"r:"), std::wstring::npos) << "the title is the image's again";
}

TEST_F(SaveBarTest, TheEyedropperEndsWithoutAColourOnEscRightClickOrAClickOffTheImage) {
  Command(5802);
  const COLORREF kept = App().settings.save_transparent_colour;
  Command(5850);
  Mouse(WM_MOUSEMOVE, OnImage(12, 34));
  EXPECT_TRUE(HandleEditKey(VK_ESCAPE));
  EXPECT_FALSE(App().eyedropper_on);

  Command(5850);
  Mouse(WM_RBUTTONDOWN, OnImage(12, 34));
  EXPECT_FALSE(App().eyedropper_on);

  Command(5850);
  Mouse(WM_LBUTTONDOWN, OnImage(-3, -3));
  EXPECT_FALSE(App().eyedropper_on);

  Command(5850);
  SetCapture(edit_);  // another window takes the mouse
  EXPECT_FALSE(App().eyedropper_on);
  ReleaseCapture();

  EXPECT_EQ(App().settings.save_transparent_colour, kept);
  EXPECT_FALSE(App().settings.save_transparency);
  EXPECT_EQ(App().active_pane, 1);
}

TEST_F(SaveBarTest, TheBarTakesItsOwnRowUnlessTheStripWasLeftInOne) {
  auto starts_row = [](HWND edit) {
    REBARBANDINFOW band = {sizeof(REBARBANDINFOW), RBBIM_STYLE | RBBIM_ID};
    SendMessageW(GetDlgItem(edit, kToolStripId), RB_GETBANDINFOW, 2,
                 reinterpret_cast<LPARAM>(&band));
    EXPECT_EQ(band.wID, UINT(kSaveBarId));
    return (band.fStyle & RBBS_BREAK) != 0;
  };
  EXPECT_TRUE(starts_row(edit_)) << "a first start";
  for (int rows : {1, 2}) {
    Command(5310);
    FreeToolStripImages();
    DestroyWindow(App().navigator);
    App().navigator = nullptr;
    DestroyWindow(edit_);
    App().settings.edit_toolstrip_rows = rows;
    edit_ = CreateEditWindow(App().instance);
    ASSERT_NE(edit_, nullptr);
    EXPECT_EQ(starts_row(edit_), rows == 2) << rows << " rows at the last exit";
    Command(5310);
  }
  App().settings.edit_toolstrip_rows = 0;
}

}  // namespace
