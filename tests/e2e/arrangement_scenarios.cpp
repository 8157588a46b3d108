// Running viewers arrange themselves in a grid on request of any one.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"

namespace {

constexpr int kViewerCount = 5;
constexpr WPARAM kArrangeGrid = 5351;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

E2E_SCENARIO(GridArrangementOfFiveViewersUsesThreeColumnsAndTwoRows) {
  std::vector<std::unique_ptr<AppInstance>> apps;
  std::vector<HWND> views;
  for (int i = 0; i < kViewerCount; ++i) {
    apps.push_back(std::make_unique<AppInstance>(ctx.bin_dir));
    AppInstance& app = *apps.back();
    if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
    // Windows that do not follow the image size take their cell exactly.
    WriteSettingsFile(app.settings_path(), QuietSettings({{33, 0}}));
    if (!ctx.Expect(app.Start(), "viewer started")) return;
    HWND view = app.WaitForWindow(L"Ovira_vwin_class");
    if (!ctx.Expect(view != nullptr, "viewer window appears")) return;
    views.push_back(view);
  }

  MONITORINFO info = {sizeof(info)};
  GetMonitorInfoW(MonitorFromWindow(views[0], MONITOR_DEFAULTTONEAREST), &info);
  const RECT work = info.rcWork;
  const int cell_w = (work.right - work.left) / 3, cell_h = (work.bottom - work.top) / 2;
  std::vector<RECT> cells;
  for (int i = 0; i < kViewerCount; ++i) {
    LONG left = work.left + (i % 3) * cell_w, top = work.top + (i / 3) * cell_h;
    cells.push_back({left, top, left + cell_w, top + cell_h});
  }

  SendCommand(views.back(), kArrangeGrid);
  Sleep(500);
  std::vector<bool> used(cells.size(), false);
  int placed = 0;
  for (HWND view : views) {
    RECT r;
    GetWindowRect(view, &r);
    for (size_t c = 0; c < cells.size(); ++c) {
      if (!used[c] && SameRect(r, cells[c])) {
        used[c] = true;
        ++placed;
        break;
      }
    }
  }
  ctx.Expect(placed == kViewerCount, "every viewer fills one cell of a 3 x 2 grid (" +
                                         std::to_string(placed) + " of 5)");
  for (HWND view : views) PostMessageW(view, WM_CLOSE, 0, 0);
  for (auto& app : apps) ctx.Expect(app->WaitForExit(5000) == 0, "viewer ends with code 0");
}

E2E_SCENARIO(CloseAllEndsEveryViewer) {
  std::vector<std::unique_ptr<AppInstance>> apps;
  std::vector<HWND> views;
  for (int i = 0; i < 2; ++i) {
    apps.push_back(std::make_unique<AppInstance>(ctx.bin_dir));
    AppInstance& app = *apps.back();
    if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
    WriteSettingsFile(app.settings_path(), QuietSettings());
    if (!ctx.Expect(app.Start(), "viewer started")) return;
    HWND view = app.WaitForWindow(L"Ovira_vwin_class");
    if (!ctx.Expect(view != nullptr, "viewer window appears")) return;
    views.push_back(view);
  }
  PostMessageW(views[0], WM_COMMAND, 5355, 0);
  for (auto& app : apps) ctx.Expect(app->WaitForExit(5000) == 0, "every viewer ends with code 0");
}
