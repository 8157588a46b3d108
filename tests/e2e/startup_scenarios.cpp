#include <windows.h>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"

E2E_SCENARIO(StartsShowsTheEmptyCanvasAndClosesCleanly) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
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
