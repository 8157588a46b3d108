// The adjustments driven in-process: opening and finishing, the bar's
// number boxes and labels, the preview worker, and brightness, gamma and
// contrast as they change the image.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "adjust/adjustment_bar_win.h"
#include "adjust/adjustment_win.h"
#include "adjust/preview_worker_win.h"
#include "adjust/tone_adjustments_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "tests/win/view_edit_fixture.h"
#include "tests/win/window_test_support.h"
#include "view/edit_hooks_win.h"
#include "view/eyedropper_win.h"
#include "view/save_bar_win.h"
#include "view/tool_strip_win.h"

namespace {

constexpr int kGamma = 5161, kBrightness = 5162, kContrast = 5163, kApply = 5900, kCancel = 5901;
constexpr int kAllBox = 1813, kRedBox = 1812, kLinked = 1830, kReset = 1831, kAllLabel = 1803;

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

// Waits, answering the worker's repaints, until `done` holds.
template <typename Done>
bool WaitFor(Done done, DWORD limit_ms = 5000) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < limit_ms; Sleep(5)) {
    Pump();
    if (done()) return true;
  }
  return false;
}

class AdjustmentTest : public ViewAndEditWindowTest {
 protected:
  void SetUp() override {
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    ViewAndEditWindowTest::SetUp();
  }
  void TearDown() override {
    ApplicationState& app = App();
    if (app.adjustment) Command(kCancel);
    if (app.display_mode == kDisplayEdit) Command(5310);
    ViewAndEditWindowTest::TearDown();
    app.source_pane = app.preview_pane = nullptr;
    app.accelerators_suspended = false;
    app.modified = false;
    app.language.reset();
  }
  void OpenEdit(int width = 64, int height = 40) {
    ShowGradientImage(width, height);
    Command(5310);
    ASSERT_EQ(App().display_mode, kDisplayEdit);
  }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }
  HWND Bar() { return GetDlgItem(GetDlgItem(edit_, kToolStripId), kAdjustmentBarId); }
  HWND Control(int id) { return GetDlgItem(Bar(), id); }
  CRgbCt* Tone() { return dynamic_cast<CRgbCt*>(App().adjustment); }
  void Type(int box, const wchar_t* text) {
    SetFocus(Control(box));
    SetWindowTextW(Control(box), text);
  }
  // The result's red byte at (x, y) from the top.
  uint8_t ResultRed(int x, int y) { return RowFromTop(App().result, y)[3 * x + 2]; }
  uint8_t CurrentRed(int x, int y) { return RowFromTop(App().current, y)[3 * x + 2]; }
};

TEST_F(AdjustmentTest, AnAdjustmentOpensOnlyWithAnImageAndOnlyOneAtATime) {
  Command(5310);
  Command(kBrightness);
  EXPECT_EQ(App().adjustment, nullptr) << "no image";
  Command(5310);
  OpenEdit();
  Command(kBrightness);
  ASSERT_NE(Tone(), nullptr);
  EXPECT_EQ(App().adjustment_mode, 14);
  EXPECT_NE(Bar(), nullptr);
  EXPECT_EQ(App().active_pane, 2) << "the preview alone";
  EXPECT_FALSE(IsWindowEnabled(ToolStripBand(kFileBandId))) << "no document work meanwhile";
  EXPECT_TRUE(SendMessageW(ToolStripBand(kFileBandId), TB_ISBUTTONINDETERMINATE, 5107, 0));
  CIBase* first = App().adjustment;
  Command(kGamma);
  EXPECT_EQ(App().adjustment, first) << "one adjustment at a time";
  EXPECT_EQ(App().adjustment_mode, 14);
  Command(5010);
  EXPECT_EQ(App().adjustment, first) << "nor a file opened";
}

TEST_F(AdjustmentTest, BrightnessFiftyIsAppliedExactlyAndMarksTheImage) {
  OpenEdit();
  Command(kBrightness);
  ASSERT_NE(Tone(), nullptr);
  Type(kAllBox, L"50");
  EXPECT_TRUE(App().accelerators_suspended) << "typing is not commands";
  ASSERT_TRUE(WaitFor([&] { return ResultRed(10, 3) == 60; })) << "the preview follows";
  EXPECT_EQ(RowFromTop(App().result, 3)[3 * 10], 127) << "blue 77 + 50";
  Command(kApply);
  EXPECT_EQ(App().adjustment, nullptr);
  EXPECT_EQ(App().adjustment_mode, 0);
  EXPECT_EQ(CurrentRed(10, 3), 60);
  EXPECT_EQ(RowFromTop(App().current, 39)[3 * 5 + 1], 39 + 50);
  EXPECT_TRUE(App().modified);
  EXPECT_NE(WindowText(edit_).find(L"*"), std::wstring::npos) << "the title says so";
  EXPECT_EQ(App().result.pixels, nullptr);
  EXPECT_EQ(App().active_pane, 1);
  EXPECT_EQ(Bar(), nullptr) << "the bar goes";
  EXPECT_TRUE(IsWindowEnabled(ToolStripBand(kFileBandId)));
  EXPECT_FALSE(App().accelerators_suspended);
}

TEST_F(AdjustmentTest, CancelAndANeutralApplyLeaveTheImageAsItWas) {
  OpenEdit();
  Command(kBrightness);
  Type(kAllBox, L"-80");
  ASSERT_TRUE(WaitFor([&] { return ResultRed(63, 0) == 0; })) << "63 - 80 is held at 0";
  Command(kCancel);
  EXPECT_EQ(App().result.pixels, nullptr) << "Cancel lets the result go";
  EXPECT_EQ(CurrentRed(63, 0), 63);
  EXPECT_FALSE(App().modified);

  Command(kContrast);
  ASSERT_NE(Tone(), nullptr) << "the next starts from the unchanged image";
  Command(kApply);
  EXPECT_FALSE(App().modified) << "nothing to apply at 0";
  EXPECT_EQ(App().active_pane, 1) << "and the image alone shows again";
  EXPECT_EQ(CurrentRed(63, 0), 63);
}

TEST_F(AdjustmentTest, ATypedValueOutsideTheRangeIsColouredStoredHeldAndShownHeld) {
  OpenEdit();
  Command(kBrightness);
  Type(kAllBox, L"300");
  EXPECT_EQ(App().adjustment->CheckValue(Control(kAllBox)), 2);
  EXPECT_EQ(Tone()->Values().all, 255);
  EXPECT_EQ(WindowText(Control(kAllBox)), L"300") << "what was typed stays while typing";
  Type(kAllBox, L"255");
  EXPECT_EQ(App().adjustment->CheckValue(Control(kAllBox)), 1);
  Type(kAllBox, L"12");
  EXPECT_EQ(App().adjustment->CheckValue(Control(kAllBox)), 0);
  Type(kAllBox, L"-999");
  SetFocus(edit_);
  EXPECT_EQ(WindowText(Control(kAllBox)), L"-255") << "losing the focus shows what was stored";
  EXPECT_FALSE(App().accelerators_suspended);
}

TEST_F(AdjustmentTest, WhileLinkedOnlyTheAllValueCounts) {
  OpenEdit();
  Command(kBrightness);
  ASSERT_FALSE(IsWindowEnabled(Control(kRedBox)));
  SendMessageW(Control(kLinked), BM_CLICK, 0, 0);
  EXPECT_FALSE(Tone()->Values().linked);
  EXPECT_TRUE(IsWindowEnabled(Control(kRedBox)));
  EXPECT_FALSE(IsWindowEnabled(Control(kAllBox)));
  Type(kRedBox, L"40");
  ASSERT_TRUE(WaitFor([&] { return ResultRed(1, 0) == 41; })) << "red alone";
  EXPECT_EQ(RowFromTop(App().result, 0)[3], 77) << "blue untouched";
  SendMessageW(Control(kLinked), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return ResultRed(1, 0) == 1; })) << "linked at all 0 again";
  Command(kApply);
  EXPECT_FALSE(App().modified) << "the red value does not count while linked";
  EXPECT_EQ(CurrentRed(1, 0), 1);
}

TEST_F(AdjustmentTest, ResetSetsEveryValueBackToZero) {
  OpenEdit();
  Command(kGamma);
  Type(kAllBox, L"30");
  SendMessageW(Control(kReset), BM_CLICK, 0, 0);
  EXPECT_EQ(Tone()->Values().all, 0);
  EXPECT_EQ(WindowText(Control(kAllBox)), L"0");
}

TEST_F(AdjustmentTest, DraggingALabelMovesItsValueAtTheAdjustmentsPace) {
  OpenEdit();
  Command(kGamma);  // a unit per 2 pixels
  HWND label = Control(kAllLabel);
  ASSERT_TRUE(App().adjustment->IsDragLabel(label));
  App().hot_label = label;
  App().adjustment->BeginLabelDrag();
  App().adjustment->DragLabel(21);
  EXPECT_EQ(Tone()->Values().all, 10);
  App().adjustment->DragLabel(-3);
  EXPECT_EQ(Tone()->Values().all, -2) << "leftwards rounds down";
  App().adjustment->DragLabel(1000);
  EXPECT_EQ(Tone()->Values().all, 100) << "held in range";
  EXPECT_FALSE(App().adjustment->IsDragLabel(Control(1802))) << "a disabled label stays put";
}

TEST_F(AdjustmentTest, EnterAppliesEscCancelsAndEscInTheEyedropperEndsOnlyThat) {
  OpenEdit();
  Command(kBrightness);
  Type(kAllBox, L"5");
  ASSERT_TRUE(HandleEditKey(VK_RETURN));  // at once: the preview may not have been computed yet
  EXPECT_EQ(App().adjustment, nullptr);
  EXPECT_EQ(CurrentRed(0, 0), 5) << "what is kept is what was typed";

  Command(kBrightness);
  ASSERT_NE(App().adjustment, nullptr);
  BeginEyedropper();  // as a pick button of the bar does
  ASSERT_TRUE(App().eyedropper_on);
  EXPECT_FALSE(HandleEditKey(VK_RETURN)) << "no Apply while picking";
  EXPECT_TRUE(HandleEditKey(VK_ESCAPE));
  EXPECT_FALSE(App().eyedropper_on);
  EXPECT_NE(App().adjustment, nullptr) << "the first Esc ends only the eyedropper";
  EXPECT_TRUE(HandleEditKey(VK_ESCAPE));
  EXPECT_EQ(App().adjustment, nullptr);
}

TEST_F(AdjustmentTest, AnEightBitImageChangesOnlyItsPalette) {
  ASSERT_EQ(AllocatePixels(&App().current, 16, 4, 8), Status::kOk);
  for (int i = 0; i < 256; ++i) App().current.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 16; ++x) RowFromTop(App().current, y)[x] = uint8_t(x * 16 + y);
  }
  ShowNewViewImage(false);
  Command(5310);
  Command(kBrightness);
  Type(kAllBox, L"100");
  ASSERT_TRUE(WaitFor([&] { return App().result.palette[10].red == 110; }));
  EXPECT_EQ(App().result.palette[200].blue, 255);
  Command(kApply);
  EXPECT_EQ(App().current.header.bit_count, 8);
  EXPECT_EQ(RowFromTop(App().current, 2)[3], 3 * 16 + 2) << "the indices stay";
  EXPECT_EQ(App().current.palette[0].green, 100);
}

TEST_F(AdjustmentTest, ApplyAndCancelNameTheirKeysInTheirTips) {
  OpenEdit();
  Command(kBrightness);
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(Bar(), TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = kApply;
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(edit_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::wstring(info.lpszText), L"Apply (Enter)");
  info.hdr.idFrom = kCancel;
  SendMessageW(edit_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::wstring(info.lpszText), L"Cancel (Esc)");
}

// A stand-in adjustment whose computations the tests can watch.
class WatchedAdjustment : public CIBase {
 public:
  int Start() override { return 0; }
  int Finish(bool) override { return 0; }
  void BarCommand(WPARAM, HWND) override {}
  void ComputePreview(LPARAM request) override {
    if (request == kEndless) {
      while (!worker->StopFlag()->load()) Sleep(1);
      stopped_by_request = true;
      return;
    }
    seen.push_back(static_cast<int>(request));
    if (seen.size() == 1) Sleep(300);  // the others pile up meanwhile
  }
  static constexpr LPARAM kEndless = -1;
  PreviewWorker* worker = nullptr;
  std::vector<int> seen;
  std::atomic<bool> stopped_by_request{false};
};

TEST_F(AdjustmentTest, ABurstOfRequestsComputesOnlyTheNewest) {
  WatchedAdjustment watched;
  PreviewWorker worker;
  watched.worker = &worker;
  ASSERT_TRUE(worker.Start(&watched, false));
  worker.Request(1);
  Sleep(100);
  for (int i = 2; i <= 20; ++i) worker.Request(i);
  EXPECT_TRUE(WaitFor([&] { return watched.seen.size() >= 2; }));
  Sleep(200);
  EXPECT_TRUE(worker.Stop());
  EXPECT_EQ(watched.seen, (std::vector<int>{1, 20}));
}

TEST_F(AdjustmentTest, ALongComputationEndsByTheStopRequestNotByTermination) {
  WatchedAdjustment watched;
  PreviewWorker worker;
  watched.worker = &worker;
  ASSERT_TRUE(worker.Start(&watched, false));
  worker.Request(WatchedAdjustment::kEndless);
  Sleep(100);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(worker.Stop()) << "the thread ended by itself";
  EXPECT_LT(GetTickCount() - start, 900u);
  EXPECT_TRUE(watched.stopped_by_request);
}

}  // namespace

namespace {

// A figure for the notes, not a test: how long a value typed into the bar
// takes to show in the preview of a 24-megapixel picture. Run it with
// --gtest_also_run_disabled_tests.
TEST_F(AdjustmentTest, DISABLED_PreviewLatencyOfATwentyFourMegapixelPicture) {
  OpenEdit(6000, 4000);
  Command(kBrightness);
  for (int round = 1; round <= 5; ++round) {
    const int amount = round * 10;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Type(kAllBox, std::to_wstring(amount).c_str());
    ASSERT_TRUE(WaitFor([&] { return RowFromTop(App().result, 0)[0] == 77 + amount; }, 10000));
    QueryPerformanceCounter(&end);
    std::printf("brightness %d: preview after %.1f ms\n", amount,
                1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  }
}

TEST_F(AdjustmentTest, ALabelUnderThePointerTurnsHotAndDragsItsValue) {
  OpenEdit();
  Command(kBrightness);
  HWND label = Control(kAllLabel);
  RECT place;
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, Bar(), reinterpret_cast<POINT*>(&place), 2);
  const POINT middle = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  SendMessageW(Bar(), WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
  EXPECT_EQ(App().hot_label, label);
  SendMessageW(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
  EXPECT_EQ(GetCapture(), Bar());
  SendMessageW(Bar(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x + 30, middle.y));
  EXPECT_EQ(Tone()->Values().all, 30) << "a unit per pixel for brightness";
  SendMessageW(Bar(), WM_LBUTTONUP, 0, MAKELPARAM(middle.x + 30, middle.y));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageW(Bar(), WM_MOUSEMOVE, 0, MAKELPARAM(place.right + 200, middle.y));
  EXPECT_EQ(App().hot_label, nullptr) << "off the label it cools";
}

}  // namespace
