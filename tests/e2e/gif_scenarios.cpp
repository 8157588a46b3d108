// GIF files as a user meets them: animations that play and come to rest
// after their loops, and stills whose title tells what the file holds.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/gif_test_support.h"

namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;

Bytes Rgb(const std::vector<uint32_t>& colours) {
  Bytes table;
  for (uint32_t c : colours) table.insert(table.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  return table;
}

constexpr int kWidth = 40, kHeight = 30;
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

constexpr WPARAM kToggleEditWindow = 5310;

// Three solid frames of 250 ms: red, green, blue, repeated `repeats`
// times after the first showing.
Bytes TrafficLightGif(int repeats) {
  GifBuilder gif(kWidth, kHeight, Rgb({0, kRed, kGreen, kBlue}));
  gif.Loop(repeats);
  for (uint8_t index = 1; index <= 3; ++index) {
    gif.Frame({0, -1, 25}, {0, 0, kWidth, kHeight, Bytes(kWidth * kHeight, index)});
  }
  return gif.Trailer();
}

uint32_t CentreColour(HWND view) {
  ClientPixels shot;
  if (!CaptureClient(view, &shot) || shot.width == 0) return 0xFFFFFFFF;
  return shot.At(shot.width / 2, shot.height / 2);
}

}  // namespace

E2E_SCENARIO(AnimatedGifPlaysItsFramesAndRestsOnTheFirstAfterItsLoops) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  // A stored count of 2 plays three times through, as in a browser: a
  // little over two seconds.
  const std::wstring picture = app.folder() + L"\\anim.gif";
  if (!ctx.Expect(WriteFileBytes(picture, TrafficLightGif(2)), "the animation is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"anim.gif  ( 40x30  2bit"),
             "the animation opens, titled with the depth of its colour table");
  std::set<uint32_t> seen;
  std::vector<uint32_t> last;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 5000) {
    const uint32_t colour = CentreColour(view);
    seen.insert(colour);
    if (GetTickCount() - start > 3500) last.push_back(colour);
    Sleep(40);
  }
  ctx.Expect(seen.size() >= 2 && !seen.count(0xFFFFFFFF),
             "the view shows different frames over time (" + std::to_string(seen.size()) + " colours)");
  bool rests_on_first = !last.empty();
  for (uint32_t colour : last) rests_on_first = rests_on_first && colour == kRed;
  ctx.Expect(rests_on_first, "after its three loops the animation rests on the first frame");
  Close(app, view);
}

E2E_SCENARIO(StillGifShowsItsLettersAndItsInterlacedRowsInPlace) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  // Row r of the picture has colour index r + 1; index 1 is transparent and
  // shows the file's background colour (entry 11).
  std::vector<uint32_t> colours(16);
  for (int r = 0; r < 10; ++r) colours[size_t(r + 1)] = uint32_t(0x102030 * (r + 1)) & 0xFFFFFF;
  colours[11] = 0xFFFF00;
  Bytes rows;
  for (int r = 0; r < 10; ++r) rows.insert(rows.end(), 16, uint8_t(r + 1));
  const Bytes gif = GifBuilder(16, 10, Rgb(colours), 11)
                        .Comment("made for the test")
                        .GraphicControl({0, 1, 0})
                        .Picture({0, 0, 16, 10, rows, true, {}, 4})
                        .Trailer();
  const std::wstring picture = app.folder() + L"\\still.gif";
  if (!ctx.Expect(WriteFileBytes(picture, gif), "the still GIF is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"still.gif  ( IAC  16x10  4bit  " + KibText(gif.size()) + L" )"),
             "the title shows interlaced, transparency and comment, then the table's depth");
  Sleep(300);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "client captured")) {
    const int left = (shot.width - 16) / 2, top = (shot.height - 10) / 2;
    int wrong = 0;
    for (int r = 0; r < 10; ++r) {
      const uint32_t expected = r == 0 ? 0xFFFF00 : colours[size_t(r + 1)];
      for (int x = 0; x < 16; ++x) wrong += shot.At(left + x, top + r) != expected;
    }
    ctx.Expect(wrong == 0, "every row is in place and the transparent one shows the file's "
                           "background (" + std::to_string(wrong) + " pixels differ)");
  }
  Close(app, view);
}

E2E_SCENARIO(AnimationStartsAgainOnReturnFromTheEditWindow) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\once.gif";
  if (!ctx.Expect(WriteFileBytes(picture, TrafficLightGif(1)), "the animation is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"once.gif  ( 40x30"), "the animation opens");
  Sleep(2500);  // twice through, and at rest
  ctx.Expect(CentreColour(view) == kRed, "played through, the animation rests on the first frame");
  SendCommand(view, kToggleEditWindow);
  HWND edit = app.WaitForWindow(L"Ovira_swin_class");
  if (!ctx.Expect(edit != nullptr, "the edit window takes over")) return;
  Sleep(300);
  SendCommand(edit, kToggleEditWindow);
  std::set<uint32_t> seen;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1500) {
    seen.insert(CentreColour(view));
    Sleep(40);
  }
  ctx.Expect(seen.count(kGreen) || seen.count(kBlue),
             "back in the view window the animation plays again from its start");
  Close(app, view);
}
