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

namespace {

using Bytes = std::vector<uint8_t>;

// At minimum code size 7 every code is one byte until the table has grown
// to 256 entries; a clear code every 120 literals keeps it below that, so
// the image data can be written without an encoder.
constexpr uint8_t kClearCode = 128, kEndCode = 129;
constexpr size_t kLiteralsPerClear = 120;

void Put16(Bytes* out, int value) {
  out->push_back(uint8_t(value));
  out->push_back(uint8_t(value >> 8));
}

void PutSubBlocks(Bytes* out, const Bytes& data) {
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    out->push_back(uint8_t(n));
    out->insert(out->end(), data.begin() + at, data.begin() + at + n);
  }
  out->push_back(0);
}

class GifBuilder {
 public:
  // A 128-entry global table holding `colours` (0x00RRGGBB) first.
  GifBuilder(int width, int height, const std::vector<uint32_t>& colours, int background)
      : width_(width), height_(height) {
    const char signature[] = "GIF89a";
    bytes_.assign(signature, signature + 6);
    Put16(&bytes_, width);
    Put16(&bytes_, height);
    bytes_.insert(bytes_.end(), {0xF6, uint8_t(background), 0});
    for (int i = 0; i < 128; ++i) {
      const uint32_t c = i < int(colours.size()) ? colours[size_t(i)] : 0;
      bytes_.insert(bytes_.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  GifBuilder& Loop(int count) {
    bytes_.insert(bytes_.end(), {0x21, 0xFF, 11});
    const char id[] = "NETSCAPE2.0";
    bytes_.insert(bytes_.end(), id, id + 11);
    bytes_.insert(bytes_.end(), {3, 1});
    Put16(&bytes_, count);
    bytes_.push_back(0);
    return *this;
  }
  GifBuilder& Control(int delay, int transparent_index) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, uint8_t(4 | (transparent_index >= 0 ? 1 : 0))});
    Put16(&bytes_, delay);
    bytes_.insert(bytes_.end(), {uint8_t(transparent_index >= 0 ? transparent_index : 0), 0});
    return *this;
  }
  GifBuilder& Comment(const std::string& text) {
    bytes_.insert(bytes_.end(), {0x21, 0xFE});
    PutSubBlocks(&bytes_, Bytes(text.begin(), text.end()));
    return *this;
  }
  // Rows from the top, each `width` indices below 128, stored in the order
  // given (an interlaced image passes them in interlace order).
  GifBuilder& Image(const std::vector<Bytes>& stored_rows, bool interlaced) {
    bytes_.push_back(0x2C);
    Put16(&bytes_, 0);
    Put16(&bytes_, 0);
    Put16(&bytes_, width_);
    Put16(&bytes_, height_);
    bytes_.push_back(interlaced ? 0x40 : 0);
    bytes_.push_back(7);
    Bytes codes;
    size_t literals = 0;
    for (const Bytes& row : stored_rows) {
      for (uint8_t index : row) {
        if (literals++ % kLiteralsPerClear == 0) codes.push_back(kClearCode);
        codes.push_back(index);
      }
    }
    codes.push_back(kEndCode);
    PutSubBlocks(&bytes_, codes);
    return *this;
  }
  Bytes End() {
    bytes_.push_back(0x3B);
    return bytes_;
  }

 private:
  int width_, height_;
  Bytes bytes_;
};

std::vector<Bytes> SolidRows(int width, int height, uint8_t index) {
  return std::vector<Bytes>(size_t(height), Bytes(size_t(width), index));
}

constexpr int kWidth = 40, kHeight = 30;
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

constexpr WPARAM kToggleEditWindow = 5310;

// Three solid frames of 250 ms: red, green, blue, repeated `repeats`
// times after the first showing.
Bytes TrafficLightGif(int repeats) {
  GifBuilder gif(kWidth, kHeight, {0, kRed, kGreen, kBlue}, 0);
  gif.Loop(repeats);
  for (uint8_t index = 1; index <= 3; ++index) {
    gif.Control(25, -1).Image(SolidRows(kWidth, kHeight, index), false);
  }
  return gif.End();
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
  ctx.Expect(WaitForTitle(view, L"anim.gif  ( 40x30  7bit"),
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
  std::vector<uint32_t> colours(12);
  for (int r = 0; r < 10; ++r) colours[size_t(r + 1)] = uint32_t(0x102030 * (r + 1)) & 0xFFFFFF;
  colours[11] = 0xFFFF00;
  std::vector<Bytes> stored;
  for (int start : {0, 4, 2, 1}) {
    const int step = start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2;
    for (int r = start; r < 10; r += step) stored.push_back(Bytes(16, uint8_t(r + 1)));
  }
  GifBuilder builder(16, 10, colours, 11);
  const Bytes gif = builder.Comment("made for the test").Control(0, 1).Image(stored, true).End();
  const std::wstring picture = app.folder() + L"\\still.gif";
  if (!ctx.Expect(WriteFileBytes(picture, gif), "the still GIF is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"still.gif  ( IAC  16x10  7bit  " + KibText(gif.size()) + L" )"),
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
