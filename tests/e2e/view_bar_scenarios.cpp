// The view window's bar as a user meets it: the pointer near the top edge
// brings it up, its buttons act on the picture, and in full screen it
// carries the title.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kNextImage = 5703;

HWND Bar(HWND view) { return FindWindowExW(view, nullptr, L"Ovira_vbarbs_class", nullptr); }

// The real pointer goes there too: the system's own moves would otherwise
// tell the viewer the pointer is elsewhere and take the bar away again.
void PointAt(HWND view, POINT client) {
  POINT screen = client;
  ClientToScreen(view, &screen);
  SetCursorPos(screen.x, screen.y);
  Sleep(200);
  PostMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

bool WaitUntilVisible(HWND window, bool visible, DWORD timeout_ms = 3000) {
  DWORD start = GetTickCount();
  while ((IsWindowVisible(window) != FALSE) != visible) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(30);
  }
  return true;
}

// Two pictures side by side in the viewer's folder; the first is opened.
bool StartOnTwoImages(ScenarioContext& ctx, AppInstance& app, const std::wstring& switch_text,
                      HWND* view) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  const std::wstring first = app.folder() + L"\\a.bmp";
  if (!ctx.Expect(WritePatternBmp(first, 200, 150, 1) &&
                      WritePatternBmp(app.folder() + L"\\b.bmp", 180, 150, 2),
                  "pictures written")) {
    return false;
  }
  return StartViewerOn(ctx, app, switch_text + Quoted(first), view) &&
         ctx.Expect(WaitForTitle(*view, L"a.bmp"), "the first picture is shown");
}

}  // namespace

E2E_SCENARIO(BarComesUpNearTheTopAndItsNextButtonShowsTheNextImage) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnTwoImages(ctx, app, L"", &view)) return;
  HWND bar = Bar(view);
  if (!ctx.Expect(bar != nullptr, "the view window has its bar")) return Close(app, view);
  ctx.Expect(!IsWindowVisible(bar), "hidden at first");
  PointAt(view, {120, 6});
  ctx.Expect(WaitUntilVisible(bar, true), "the pointer near the top brings it up");
  Sleep(200);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "view captured")) {
    ctx.Expect(shot.At(shot.width - 3, 12) == 0x383838, "the bar lies dark across the top");
    ctx.Expect(shot.At(shot.width / 2, 40) != 0x383838, "and only there");
  }
  HWND tool_bar = FindWindowExW(bar, nullptr, L"ToolbarWindow32", nullptr);
  if (!ctx.Expect(tool_bar != nullptr, "its buttons are there")) return Close(app, view);
  ctx.Expect(SendWithin(bar, WM_COMMAND, MAKEWPARAM(kNextImage, BN_CLICKED),
                        reinterpret_cast<LPARAM>(tool_bar), nullptr),
             "the next-image button is clicked");
  ctx.Expect(WaitForTitle(view, L"b.bmp"), "the next picture is shown");
  PointAt(view, {120, 90});
  ctx.Expect(WaitUntilVisible(bar, false), "a move below the bar takes it away");
  Close(app, view);
}

E2E_SCENARIO(FullScreenBarHoldsTheTitle) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnTwoImages(ctx, app, L"/f ", &view)) return;
  HWND bar = Bar(view);
  if (!ctx.Expect(bar != nullptr, "the view window has its bar")) return Close(app, view);
  PointAt(view, {300, 4});
  ctx.Expect(WaitUntilVisible(bar, true), "the bar comes up in full screen too");
  HWND field = GetDlgItem(bar, 1002);
  if (!ctx.Expect(field && IsWindowVisible(field), "with its title field")) return Close(app, view);
  const std::wstring text = WindowTitle(field);
  ctx.Expect(text == WindowTitle(view) && text.rfind(L"a.bmp", 0) == 0,
             "holding the title (\"" + std::string(text.begin(), text.end()) + "\")");
  Close(app, view);
}
