#include <windows.h>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"

E2E_SCENARIO(StartsShowsTheEmptyCanvasAndClosesCleanly) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings());
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "a window of class Ovira_vwin_class appears")) return;
  ctx.Expect(IsWindowVisible(view), "the view window is visible");
  ctx.Expect(WindowTitle(view) == L"Ovira", "the title reads Ovira");

  RECT client;
  GetClientRect(view, &client);
  ctx.Expect(client.right == 400 && client.bottom == 300, "the client area is 400 x 300");

  // Give the first paint a moment, then look at what is on the screen.
  Sleep(300);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "client area captured")) {
    ctx.Expect(shot.At(shot.width / 2, shot.height / 2) == 0x808080,
               "the empty canvas is painted grey");
    ctx.Expect(shot.At(0, 0) == 0x808080 && shot.At(shot.width - 1, shot.height - 1) == 0x808080,
               "the grey reaches the corners");
  }

  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0 within 5 s");
}

namespace {

struct TextSearch {
  std::wstring text;
};

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  wchar_t buffer[512];
  int n = GetWindowTextW(child, buffer, 512);
  reinterpret_cast<TextSearch*>(param)->text.append(buffer, n > 0 ? n : 0).append(L"\n");
  return TRUE;
}

std::wstring ChildTexts(HWND window) {
  TextSearch search;
  EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&search));
  return search.text;
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info = {sizeof(info)};
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

}  // namespace

E2E_SCENARIO(StartupNoticeCanBeTurnedOff) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND notice = app.WaitForWindow(L"#32770");
  if (!ctx.Expect(notice != nullptr, "with an empty settings file the start-up notice shows"))
    return;
  HWND box = GetDlgItem(notice, 4501);
  if (!ctx.Expect(box != nullptr, "the notice has check box 4501")) return;
  SendWithin(box, BM_SETCHECK, BST_CHECKED, 0);
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window is there")) return;
  Sleep(200);
  ctx.Expect(!IsWindow(notice), "OK closes the notice");
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");

  // The next start remembers the ticked box and shows no notice.
  if (!ctx.Expect(app.Start(), "second start")) return;
  view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears again")) return;
  Sleep(500);
  ctx.Expect(app.WaitForWindow(L"#32770", 200) == nullptr, "no notice the second time");
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");
}

E2E_SCENARIO(MissingLanguageModuleIsReportedAndEndsCleanly) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}, /*with_language=*/false), "program folder prepared")) return;
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND box = app.WaitForWindow(L"#32770");
  if (!ctx.Expect(box != nullptr, "a message box appears")) return;
  ctx.Expect(WindowTitle(box) == L"Error", "captioned Error");
  ctx.Expect(ChildTexts(box).find(L"Language file not found.") != std::wstring::npos,
             "saying Language file not found.");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");
  ctx.Expect(app.WaitForWindow(L"Ovira_vwin_class", 100, false) == nullptr,
             "no view window was made");
}

E2E_SCENARIO(SavedPositionLeftOfTheWorkAreaSnapsToItsEdge) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(),
                    QuietSettings({{33, 0}, {49, -500}, {50, 60}, {51, 500}, {52, 400}}));
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  RECT r = WindowRect(view), work = WorkAreaOf(view);
  ctx.Expect(r.left == work.left, "the left edge snaps to the work area's left edge");
  ctx.Expect(r.top == 60 && r.right - r.left == 500 && r.bottom - r.top == 400,
             "top and size stay as saved");
  PostMessageW(view, WM_CLOSE, 0, 0);
  app.WaitForExit(5000);
}

E2E_SCENARIO(SettingsAtExitKeepUnknownEntriesAndThePlacement) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::vector<uint8_t> kept = {'k', 'e', 'e', 'p', 0, 1, 2, 3};
  WriteSettingsFile(app.settings_path(),
                    QuietSettings({{33, 0}, {49, 100}, {50, 120}, {51, 500}, {52, 400}, {200, 12345}}),
                    {{150, kept}});
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  SetWindowPos(view, nullptr, 140, 150, 600, 420, SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(200);
  PostMessageW(view, WM_CLOSE, 0, 0);
  if (!ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0")) return;

  std::vector<uint8_t> file = ReadFileBytes(app.settings_path());
  if (!ctx.Expect(file.size() >= 1828, "the settings file holds a whole directory")) return;
  auto u16 = [&](size_t at) { return file[at] | file[at + 1] << 8; };
  auto i32 = [&](size_t at) { return FileInt32(file, at); };
  auto slot = [&](int index) { return size_t(4 + 8 * index); };
  ctx.Expect(u16(0) == 228 && u16(2) == 0x14C8, "header: 228 entries, version 0x14C8");
  ctx.Expect(i32(slot(200)) == 1 && i32(slot(200) + 4) == 12345, "unknown inline entry 200 kept");
  int32_t at = i32(slot(150)), length = i32(slot(150) + 4);
  ctx.Expect(at >= 1828 && length == int32_t(kept.size()) && size_t(at) + length <= file.size() &&
                 std::equal(kept.begin(), kept.end(), file.begin() + at),
             "unknown byte entry 150 kept");
  ctx.Expect(i32(slot(49) + 4) == 140 && i32(slot(50) + 4) == 150 && i32(slot(51) + 4) == 600 &&
                 i32(slot(52) + 4) == 420,
             "the window's position and size are saved");
}

E2E_SCENARIO(ExtraCommandLineFilesOpenInViewersOfTheirOwn) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings());
  std::wstring dir = app.folder();
  if (!ctx.Expect(app.Start(L"\"" + dir + L"\\one.bmp\" \"" + dir + L"\\two.bmp\" \"" + dir +
                          L"\\three.bmp\""),
                  "process started with three files"))
    return;
  std::vector<HWND> viewers;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 15000) {
    viewers = ViewersStartedFrom(app.folder());
    if (viewers.size() >= 3) break;
    Sleep(100);
  }
  ctx.Expect(viewers.size() == 3, "three viewers run: this one and two started with /v");
  Sleep(300);
  for (HWND w : ViewersStartedFrom(app.folder())) PostMessageW(w, WM_CLOSE, 0, 0);
  app.WaitForExit(5000);
  start = GetTickCount();
  while (!ViewersStartedFrom(app.folder()).empty() && GetTickCount() - start < 5000) Sleep(100);
}

E2E_SCENARIO(EndOfLogonWritesTheSettingsWithoutAsking) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings({{33, 0}}));
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  SetWindowPos(view, nullptr, 77, 88, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE);
  SendWithin(view, WM_QUERYENDSESSION, 0, 0);
  SendWithin(view, WM_ENDSESSION, TRUE, 0);
  std::vector<uint8_t> file = ReadFileBytes(app.settings_path());
  ctx.Expect(InlineValue(file, 49) == 77 && InlineValue(file, 50) == 88 &&
                 InlineValue(file, 51) == 420,
             "the placement is written when the logon ends");
}
