// The navigator as a user meets it: panning a large picture with the right
// button brings up the whole picture in a small window beside the view, and
// letting go takes it away.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kShrinkLargeImages = 41;
constexpr const wchar_t kNavigatorClass[] = L"Ovira_navi_class";

std::string Hex(uint32_t colour) {
  char text[16];
  wsprintfA(text, "%06X", colour);
  return text;
}

// 1600 x 1200 scales by 0.1 into the navigator's whole 160 x 120 client:
// each 400-pixel block becomes 40 x 40. Shown at 100 %, larger than the view.
bool StartOnLargeBlocks(ScenarioContext& ctx, AppInstance& app, HWND* view) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  const std::wstring picture = app.folder() + L"\\large.bmp";
  return ctx.Expect(WriteBlockPatternBmp(picture, 1600, 1200, 400), "picture written") &&
         StartViewerOn(ctx, app, Quoted(picture), view, {{kShrinkLargeImages, 0}}) &&
         ctx.Expect(WaitForTitle(*view, L"large.bmp"), "the picture is shown");
}

}  // namespace

E2E_SCENARIO(NavigatorShowsTheWholePictureWhileTheRightButtonPans) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnLargeBlocks(ctx, app, &view)) return;

  PostMessageW(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(250, 200));
  PostMessageW(view, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(230, 200));
  PostMessageW(view, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(200, 190));
  HWND navigator = app.WaitForWindow(kNavigatorClass, 3000);
  if (!ctx.Expect(navigator != nullptr, "the navigator comes up while panning")) {
    PostMessageW(view, WM_RBUTTONUP, 0, MAKELPARAM(200, 190));
    Close(app, view);
    return;
  }
  RECT view_rect = {}, nav_rect = {};
  GetWindowRect(view, &view_rect);
  GetWindowRect(navigator, &nav_rect);
  ctx.Expect(nav_rect.left == view_rect.right || nav_rect.right <= view_rect.right,
             "beside the view window's right edge");
  Sleep(300);  // let it paint
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(navigator, &shot), "navigator captured")) {
    ctx.Expect(shot.width == 160 && shot.height == 120, "a 160 x 120 client");
    // The centres of the corner blocks, well away from the frame in the middle.
    const int points[][2] = {{20, 20}, {140, 20}, {20, 100}, {140, 100}, {60, 20}};
    for (const auto& p : points) {
      const uint32_t want = BlockColour(p[0] * 10, p[1] * 10, 400);
      const uint32_t got = shot.width == 160 ? shot.At(p[0], p[1]) : 0;
      ctx.Expect(got == want, "thumbnail pixel " + std::to_string(p[0]) + "," +
                                  std::to_string(p[1]) + " is " + Hex(got) + ", the picture's " +
                                  Hex(want));
    }
  }

  PostMessageW(view, WM_RBUTTONUP, 0, MAKELPARAM(200, 190));
  Sleep(300);
  ctx.Expect(!IsWindowVisible(navigator), "letting go takes the navigator away");
  Close(app, view);
}
