// What the view window paints: the empty canvas in each background, and the
// note after an open that failed.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"

namespace {

bool Uniform(const ClientPixels& shot, uint32_t colour) {
  for (int y = 0; y < shot.height; y += 7) {
    for (int x = 0; x < shot.width; x += 7) {
      if (shot.At(x, y) != colour) return false;
    }
  }
  return shot.At(shot.width - 1, shot.height - 1) == colour;
}

int CountNot(const ClientPixels& shot, uint32_t colour) {
  int n = 0;
  for (uint32_t p : shot.pixels) n += (p & 0xFFFFFF) != colour;
  return n;
}

}  // namespace

E2E_SCENARIO(BackgroundCommandsPaintTheEmptyCanvas) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings());
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  Sleep(300);

  const uint32_t kColours[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  for (int i = 0; i < 5; ++i) {
    SendWithin(view, WM_COMMAND, 5341 + i, 0);
    UpdateWindow(view);
    Sleep(100);
    ClientPixels shot;
    ctx.Expect(CaptureClient(view, &shot) && Uniform(shot, kColours[i]),
               "command " + std::to_string(5341 + i) + " paints the whole canvas");
  }
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");
  ctx.Expect(InlineValue(ReadFileBytes(app.settings_path()), 32) == 4,
             "the last background is remembered");
}

E2E_SCENARIO(FailedOpenLeavesTheEmptyCanvasWithANote) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings({{32, 4}}));
  std::wstring not_an_image = app.folder() + L"\\notes.png";
  HANDLE h = CreateFileW(not_an_image.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, "hello, not a picture", 20, &written, nullptr);
  CloseHandle(h);
  if (!ctx.Expect(app.Start(L"\"" + not_an_image + L"\""), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  Sleep(400);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "client captured")) {
    ctx.Expect(shot.At(0, 0) == 0 && shot.At(shot.width - 1, shot.height - 1) == 0,
               "the canvas keeps its black background");
    int ink = CountNot(shot, 0);
    ctx.Expect(ink > 20, "a line of white text says the image could not be shown");
    // The note is one centred line: nothing near the top or bottom edges.
    bool edges_clear = true;
    for (int x = 0; x < shot.width; ++x) {
      edges_clear &= shot.At(x, 5) == 0 && shot.At(x, shot.height - 5) == 0;
    }
    ctx.Expect(edges_clear, "the note sits in the middle");
  }
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");
}
