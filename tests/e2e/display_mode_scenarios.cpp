// The view window and the edit window take turns; closing the edit window
// ends the program, which then remembers where the edit window was.
#include <windows.h>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"

namespace {

constexpr WPARAM kToggleEditWindow = 5310;


}  // namespace

E2E_SCENARIO(SwitchSStartsInTheEditWindowAndTabReturnsToTheView) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(),
                    QuietSettings({{62, 150}, {63, 90}, {64, 700}, {65, 500}}));
  if (!ctx.Expect(app.Start(L"/s"), "process started with /s")) return;
  HWND edit = app.WaitForWindow(L"Ovira_swin_class");
  HWND view = app.WaitForWindow(L"Ovira_vwin_class", 5000, /*visible_only=*/false);
  if (!ctx.Expect(edit && view, "both top-level windows exist")) return;
  Sleep(300);
  ctx.Expect(IsWindowVisible(edit) && !IsWindowVisible(view), "the edit window shows, the view not");
  RECT r;
  GetWindowRect(edit, &r);
  ctx.Expect(r.left == 150 && r.top == 90 && r.right - r.left == 700 && r.bottom - r.top == 500,
             "the edit window takes its saved placement");
  ctx.Expect(GetWindow(edit, GW_OWNER) == view, "the view window owns the edit window");

  SendCommand(edit, kToggleEditWindow);
  ctx.Expect(IsWindowVisible(view) && !IsWindowVisible(edit), "5310 returns to the view window");
  SendCommand(view, kToggleEditWindow);
  ctx.Expect(IsWindowVisible(edit) && !IsWindowVisible(view), "and 5310 goes back");

  SetWindowPos(edit, nullptr, 210, 120, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(edit, WM_CLOSE, 0, 0);
  if (!ctx.Expect(app.WaitForExit(5000) == 0, "closing the edit window ends the program")) return;
  std::vector<uint8_t> file = ReadFileBytes(app.settings_path());
  ctx.Expect(InlineValue(file, 62) == 210 && InlineValue(file, 63) == 120 &&
                 InlineValue(file, 64) == 640 && InlineValue(file, 65) == 480,
             "the edit window's placement is saved");
  ctx.Expect(InlineValue(file, 61) == 0, "not maximised");
}
