// An adjustment as a user meets it: brightness opened in the edit window,
// a value typed into its bar, the preview pane brightened by exactly that
// much, Apply keeping it and Cancel leaving the picture as it was.
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kToggleEditWindow = 5310, kBrightness = 5162, kCancel = 5901;
constexpr int kAllBox = 1813, kBar = 1013;
constexpr int kWidth = 160, kHeight = 120;
constexpr uint32_t kSeed = 4;

uint32_t Brightened(uint32_t colour, int amount) {
  uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const int channel = std::clamp(int(colour >> shift & 0xFF) + amount, 0, 255);
    out |= uint32_t(channel) << shift;
  }
  return out;
}

// How many of the picture's pixels, centred in the pane, differ from the
// pattern brightened by `amount` and then by `then` (each held at 0..255).
int Mismatches(HWND pane, int amount, std::string* first, int then = 0) {
  ClientPixels shot;
  if (!CaptureClient(pane, &shot)) return -1;
  const int left = (shot.width - kWidth) / 2, top = (shot.height - kHeight) / 2;
  if (left < 0 || top < 0) return -1;
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t want = Brightened(Brightened(PatternColour(x, y, kSeed), amount), then);
      if (shot.At(left + x, top + y) == want) continue;
      if (wrong++ == 0) first->assign(std::to_string(x)).append(",").append(std::to_string(y));
    }
  }
  return wrong;
}

bool WaitForMatch(HWND pane, int amount, std::string* first, int then = 0) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(100)) {
    if (Mismatches(pane, amount, first, then) == 0) return true;
  }
  return false;
}

bool TypeIntoBar(ScenarioContext& ctx, HWND edit, const wchar_t* text) {
  HWND box = nullptr;
  for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 5000; Sleep(50)) {
    box = FindControl(edit, kAllBox);
  }
  if (!ctx.Expect(box != nullptr && FindControl(edit, kBar) != nullptr,
                  "the brightness bar is on the tool strip")) {
    return false;
  }
  return ctx.Expect(SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), nullptr),
                    "a value typed into its all box");
}

}  // namespace

E2E_SCENARIO(BrightnessFiftyBrightensThePreviewExactlyAndApplyKeepsIt) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, kWidth, kHeight, kSeed), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view, {{62, 40}, {63, 40}, {64, 700}, {65, 520}}))
    return;
  if (!ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown")) return;
  ctx.Expect(SendCommand(view, kToggleEditWindow), "5310 answered");
  HWND edit = app.WaitForWindow(L"Ovira_swin_class", 5000);
  if (!ctx.Expect(edit != nullptr, "the edit window opens")) return Close(app, view);
  HWND source = FindWindowExW(edit, nullptr, L"Ovira_sch1_class", nullptr);
  HWND preview = FindWindowExW(edit, nullptr, L"Ovira_sch2_class", nullptr);

  ctx.Expect(SendCommand(view, kBrightness), "brightness opened");
  if (!TypeIntoBar(ctx, edit, L"50")) return Close(app, view);
  std::string first;
  ctx.Expect(IsWindowVisible(preview) && !IsWindowVisible(source), "the preview pane alone shows");
  ctx.Expect(WaitForMatch(preview, 50, &first),
             "every pixel of the preview is 50 brighter, held at 255 (first wrong at " + first + ")");
  SetForegroundWindow(edit);
  Sleep(200);
  ClickOn(FindControl(edit, kAllBox));
  PressKey(VK_RETURN);  // Enter in the box applies, as 5900 does
  ctx.Expect(WaitForTitle(edit, L"scene.bmp*"), "the title marks the picture changed");
  Sleep(300);
  ctx.Expect(IsWindowVisible(source), "the picture shows again");
  ctx.Expect(Mismatches(source, 50, &first) == 0, "as brightened (first wrong at " + first + ")");

  ctx.Expect(SendCommand(view, kBrightness), "brightness opened again");
  if (!TypeIntoBar(ctx, edit, L"-50")) return CloseDroppingChanges(app, view);
  ctx.Expect(WaitForMatch(preview, 50, &first, -50),
             "the preview darkens the brightened picture (first wrong at " + first + ")");
  ctx.Expect(SendCommand(view, kCancel), "Cancel");
  Sleep(300);
  ctx.Expect(Mismatches(source, 50, &first) == 0,
             "Cancel leaves the picture as it was (first wrong at " + first + ")");
  ctx.Expect(FindControl(edit, kBar) == nullptr, "and takes the bar away");
  CloseDroppingChanges(app, view);
}
