// The edit window's panes as a user meets them: Tab brings the picture into
// the source pane, S puts the preview pane beside it at the same width.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kToggleEditWindow = 5310, kBothPanes = 5720;

// The pane windows of the edit window, by class.
HWND Pane(HWND edit, const wchar_t* class_name) {
  return FindWindowExW(edit, nullptr, class_name, nullptr);
}

int Width(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r.right - r.left;
}

// Where the picture's top-left pixel lands in a pane: the first pixel of
// the pattern's colour, scanning rows from the top.
bool FindPattern(const ClientPixels& shot, int width, int height, uint32_t seed, POINT* at) {
  for (int y = 0; y + height <= shot.height; ++y) {
    for (int x = 0; x + width <= shot.width; ++x) {
      if (shot.At(x, y) == PatternColour(0, 0, seed) &&
          shot.At(x + width - 1, y + height - 1) == PatternColour(width - 1, height - 1, seed)) {
        *at = {x, y};
        return true;
      }
    }
  }
  return false;
}

}  // namespace

E2E_SCENARIO(EditWindowShowsThePictureInTheSourcePaneAndBothPanesSideBySide) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, 160, 120, 5), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view, {{62, 60}, {63, 50}, {64, 820}, {65, 560}}))
    return;
  if (!ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown")) return;

  ctx.Expect(SendCommand(view, kToggleEditWindow), "5310 answered");
  HWND edit = app.WaitForWindow(L"Ovira_swin_class", 5000);
  if (!ctx.Expect(edit != nullptr, "the edit window opens")) return Close(app, view);
  HWND source = Pane(edit, L"Ovira_sch1_class"), preview = Pane(edit, L"Ovira_sch2_class");
  if (!ctx.Expect(source && preview, "the edit window has its two panes")) return Close(app, view);
  Sleep(400);
  ctx.Expect(IsWindowVisible(source) && !IsWindowVisible(preview), "the source pane alone shows");
  ClientPixels shot;
  POINT at = {};
  if (ctx.Expect(CaptureClient(source, &shot), "source pane captured")) {
    ctx.Expect(FindPattern(shot, 160, 120, 5, &at), "the picture is in the source pane");
    ctx.Expect(at.x == (shot.width - 160) / 2 && at.y == (shot.height - 120) / 2,
               "at its size in the middle (" + std::to_string(at.x) + "," + std::to_string(at.y) +
                   ")");
  }

  ctx.Expect(SendCommand(view, kBothPanes), "5720 answered");
  Sleep(400);
  ctx.Expect(IsWindowVisible(source) && IsWindowVisible(preview), "both panes show");
  ctx.Expect(Width(source) == Width(preview) && Width(source) > 100,
             "side by side at the same width (" + std::to_string(Width(source)) + " and " +
                 std::to_string(Width(preview)) + ")");
  if (ctx.Expect(CaptureClient(source, &shot), "source pane captured again")) {
    ctx.Expect(FindPattern(shot, 160, 120, 5, &at), "the picture is still in the source pane");
  }
  Close(app, view);
}
