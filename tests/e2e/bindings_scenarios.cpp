// Binding a key as a user does it: the options dialog's Keys and Mouse
// Buttons dialog, a command found by typing, a key with Ctrl assigned, OK,
// and the key then working, also after the program starts again.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "adjust/binding_edit.h"
#include "tests/e2e/app_instance.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kOptionsCommand = 5410, kOptionsTree = 3001, kBindingsButton = 3311;
constexpr int kRows = 3721, kKeys = 3720, kCtrl = 3730, kAssign = 3740, kClose = 3743;
constexpr int kFilter = 3745;

HWND WaitForDialogWith(const AppInstance& app, int control, HWND not_this, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  do {
    for (HWND dialog : OpenDialogsOfProcess(app.process_id())) {
      if (dialog != not_this && GetDlgItem(dialog, control)) return dialog;
    }
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

bool WaitUntilClosed(HWND window, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (IsWindow(window) && GetTickCount() - start < timeout_ms) Sleep(50);
  return !IsWindow(window);
}

// Clicks the first row of a report list, just below its header.
void ClickFirstRow(HWND list) {
  RECT r = {}, header = {};
  GetWindowRect(list, &r);
  LRESULT header_window = 0;
  SendWithin(list, LVM_GETHEADER, 0, 0, &header_window);
  GetWindowRect(reinterpret_cast<HWND>(header_window), &header);
  ClickAt(r.left + 40, header.bottom + 6);
  Sleep(100);
}

int KeyListIndex(uint8_t key) {
  const std::vector<uint8_t>& keys = BindableKeys();
  return static_cast<int>(std::find(keys.begin(), keys.end(), key) - keys.begin());
}

// Through the dialogs: Next Image gets Ctrl+K.
bool BindCtrlKToNextImage(ScenarioContext& ctx, AppInstance& app, HWND view) {
  PostMessageW(view, WM_COMMAND, kOptionsCommand, 0);
  HWND options = WaitForDialogWith(app, kOptionsTree, nullptr, 5000);
  if (!ctx.Expect(options != nullptr, "5410 opens the options dialog")) return false;
  HWND button = FindControl(options, kBindingsButton);
  if (!ctx.Expect(button && IsWindowEnabled(button), "its Keys and Mouse Buttons button")) {
    return false;
  }
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(kBindingsButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  HWND bindings = WaitForDialogWith(app, kRows, options, 5000);
  if (!ctx.Expect(bindings != nullptr, "the button opens the bindings dialog")) return false;

  SendWithin(GetDlgItem(bindings, kFilter), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"next image"));
  HWND rows = GetDlgItem(bindings, kRows);
  LRESULT shown = 0;
  SendWithin(rows, LVM_GETITEMCOUNT, 0, 0, &shown);
  ctx.Expect(shown == 1, "typing \"next image\" leaves one row, not " + std::to_string(shown));
  SetForegroundWindow(bindings);
  ClickFirstRow(rows);
  LRESULT selected = -1;
  SendWithin(rows, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, &selected);
  if (!ctx.Expect(selected == 0, "the row is selected by a click")) return false;
  SendWithin(GetDlgItem(bindings, kKeys), LB_SETCURSEL, KeyListIndex('K'), 0);
  SendWithin(GetDlgItem(bindings, kCtrl), BM_SETCHECK, BST_CHECKED, 0);
  PostMessageW(bindings, WM_COMMAND, kAssign, 0);
  Sleep(300);
  for (HWND dialog : OpenDialogsOfProcess(app.process_id())) {
    if (dialog != options && dialog != bindings) FailOnDialogs({dialog}, "assigning Ctrl+K");
  }
  PostMessageW(bindings, WM_COMMAND, kClose, 0);
  if (!ctx.Expect(WaitUntilClosed(bindings, 3000), "Close ends the bindings dialog")) return false;
  PostMessageW(options, WM_COMMAND, IDOK, 0);
  return ctx.Expect(WaitUntilClosed(options, 5000), "OK ends the options dialog");
}

bool CtrlKShowsTheNextImage(ScenarioContext& ctx, HWND view, const std::string& when) {
  SetForegroundWindow(view);
  Sleep(200);
  PressCtrlKey('K');
  return ctx.Expect(WaitForTitle(view, L"b.bmp"), "Ctrl+K shows the next image " + when);
}

}  // namespace

E2E_SCENARIO(BindingsCtrlKShowsTheNextImageAndHoldsAfterARestart) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring first = app.folder() + L"\\a.bmp";
  if (!ctx.Expect(WritePatternBmp(first, 200, 150, 1) &&
                      WritePatternBmp(app.folder() + L"\\b.bmp", 180, 150, 2),
                  "pictures written")) {
    return;
  }
  HWND view = nullptr;
  if (!StartViewerOn(ctx, app, Quoted(first), &view)) return;
  if (!ctx.Expect(WaitForTitle(view, L"a.bmp"), "the first picture is shown")) return Close(app, view);
  if (!BindCtrlKToNextImage(ctx, app, view)) return Close(app, view);
  CtrlKShowsTheNextImage(ctx, view, "at once");
  Close(app, view);

  // The key table is written at exit and read at the next start.
  if (!StartViewerOn(ctx, app, Quoted(first), &view)) return;
  if (ctx.Expect(WaitForTitle(view, L"a.bmp"), "the first picture again")) {
    CtrlKShowsTheNextImage(ctx, view, "after a restart");
  }
  Close(app, view);
}
