// The options dialog as a user meets it: "/o" starts with it and ends the
// program after it, OK keeps what was changed in the settings file, and
// the system page's Send To box makes and removes the shortcut.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "app/settings_reader.h"
#include "app/settings_text.h"
#include "tests/e2e/app_instance.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kTree = 3001, kApply = 3002;
constexpr int kInterval = 3172, kSendTo = 3630, kLanguage = 3661;
constexpr int kSlideshowIntervalEntry = 39;
constexpr int kLanguageEntry = 0, kDisabledPluginsEntry = 208;
constexpr int kPluginList = 3540;
constexpr int kFollowImage = 3135, kOptionsCommand = 5410;

// "/o" shows the options dialog before anything else.
HWND StartWithOptions(ScenarioContext& ctx, AppInstance& app) {
  if (!ctx.Expect(app.Start(L"/o"), "process started with /o")) return nullptr;
  HWND dialog = app.WaitForWindow(L"#32770", 10000);
  if (!ctx.Expect(dialog != nullptr, "/o opens a dialog")) return nullptr;
  if (!ctx.Expect(FindControl(dialog, kTree) != nullptr,
                  "the dialog /o opens is the options dialog, not " + DescribeWindow(dialog))) {
    FailOnDialogs({dialog}, "instead of the options dialog");
    return nullptr;
  }
  return dialog;
}

// OK closes the dialog, and the program then ends by its own shutdown.
bool PressOkAndWaitForExit(ScenarioContext& ctx, AppInstance& app, HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  long code = app.WaitForExit(10000);
  if (code == -1) FailOnDialogs(OpenDialogsOfProcess(app.process_id()), "after OK");
  return ctx.Expect(code == 0, "after OK the program ends by itself with code 0");
}

std::wstring SendToShortcut() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_SENDTO, nullptr, 0, folder))) return {};
  return std::wstring(folder) + L"\\Ovira.lnk";
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

E2E_SCENARIO(OptionsSwitchStoresTheChangedIntervalAndListsTheLanguage) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings({{kSlideshowIntervalEntry, 3}}));
  HWND dialog = StartWithOptions(ctx, app);
  if (!dialog) return;
  HWND interval = FindControl(dialog, kInterval);
  HWND language = FindControl(dialog, kLanguage);
  HWND apply = GetDlgItem(dialog, kApply);
  if (!ctx.Expect(interval && language && apply, "the interval, language and Apply controls")) {
    return;
  }
  ctx.Expect(ControlText(interval) == L"3", "the interval shows the stored 3 seconds, not \"" +
                                                Narrow(ControlText(interval)) + "\"");
  ctx.Expect(ControlText(language) == L"English",
             "the language list shows English, not \"" + Narrow(ControlText(language)) + "\"");
  LRESULT languages = 0;
  SendWithin(language, CB_GETCOUNT, 0, 0, &languages);
  ctx.Expect(languages == 1, "only real language modules are listed: " + std::to_string(languages));
  ctx.Expect(!IsWindowEnabled(apply), "Apply starts disabled");

  SendWithin(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"75"));
  ctx.Expect(IsWindowEnabled(apply), "a change enables Apply");
  if (!PressOkAndWaitForExit(ctx, app, dialog)) return;
  // The field holds at most two digits; beyond 60 the interval is held there.
  const std::vector<uint8_t> file = ReadFileBytes(app.settings_path());
  ctx.Expect(InlineValue(file, kSlideshowIntervalEntry) == 60,
             "entry 39 holds 60, not " + std::to_string(InlineValue(file, kSlideshowIntervalEntry)));
}

E2E_SCENARIO(OptionsSendToBoxMakesAndRemovesTheShortcut) {
  const std::wstring shortcut = SendToShortcut();
  if (!ctx.Expect(!shortcut.empty(), "the Send To folder is known")) return;
  DeleteFileW(shortcut.c_str());
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings());

  for (bool wanted : {true, false}) {
    HWND dialog = StartWithOptions(ctx, app);
    if (!dialog) return;
    HWND box = FindControl(dialog, kSendTo);
    if (!ctx.Expect(box != nullptr, "the Send To box")) return;
    LRESULT state = 0;
    SendWithin(box, BM_GETCHECK, 0, 0, &state);
    ctx.Expect((state == BST_CHECKED) == !wanted,
               wanted ? "the box starts off without a shortcut" : "the box shows the shortcut");
    SendWithin(box, BM_SETCHECK, wanted ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!PressOkAndWaitForExit(ctx, app, dialog)) return;
    ctx.Expect(Exists(shortcut) == wanted,
               wanted ? "OK made Ovira.lnk in the Send To folder" : "and then removed it again");
  }
  DeleteFileW(shortcut.c_str());
}

// A second language module beside the program is listed, and choosing it
// with OK loads it at once; the settings file then names it.
E2E_SCENARIO(OptionsLanguageChoiceLoadsTheModuleAndIsKept) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings());
  const std::wstring other = app.folder() + L"\\Other.dll";
  if (!ctx.Expect(CopyFileW((app.folder() + L"\\English.dll").c_str(), other.c_str(), FALSE),
                  "a second language module beside the program")) {
    return;
  }
  // A library that is no language module is not offered.
  WriteFileBytes(app.folder() + L"\\Broken.dll", {'M', 'Z', 0, 0});
  HWND dialog = StartWithOptions(ctx, app);
  if (!dialog) return;
  HWND language = FindControl(dialog, kLanguage);
  if (!ctx.Expect(language != nullptr, "the language list")) return;
  LRESULT count = 0, chosen = CB_ERR;
  SendWithin(language, CB_GETCOUNT, 0, 0, &count);
  ctx.Expect(count == 2, "English and Other are listed, not " + std::to_string(count) + " modules");
  SendWithin(language, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Other"),
             &chosen);
  if (!ctx.Expect(chosen != CB_ERR, "Other can be chosen")) return;
  if (!PressOkAndWaitForExit(ctx, app, dialog)) return;
  SettingsReader reader;
  ctx.Expect(reader.Open(app.settings_path().c_str()) && reader.ReadString(kLanguageEntry) == u"Other",
             "entry 0 names the chosen module");
}

// A module switched off in entry 208 (in any case) shows unchecked, and OK
// keeps it switched off under its own file name.
E2E_SCENARIO(OptionsSwitchedOffPluginModuleShowsUncheckedAndStaysOff) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  if (!ctx.Expect(ShipPlugins(ctx.bin_dir, app), "plugins\\ beside the program")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings(),
                    {{kDisabledPluginsEntry, EncodeSettingsStringList({u"TIFFX.SPI"})}});
  HWND dialog = StartWithOptions(ctx, app);
  if (!dialog) return;
  HWND list = FindControl(dialog, kPluginList);
  if (!ctx.Expect(list != nullptr, "the plug-in module list")) return;
  LRESULT rows = 0;
  SendWithin(list, LVM_GETITEMCOUNT, 0, 0, &rows);
  ctx.Expect(rows == 2, "both shipped plug-ins are listed, not " + std::to_string(rows));
  int unchecked = 0;
  for (int row = 0; row < rows; ++row) {
    LRESULT state = 0;
    SendWithin(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK, &state);
    unchecked += (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(1);
  }
  ctx.Expect(unchecked == 1, "one module shows unchecked, not " + std::to_string(unchecked));
  if (!PressOkAndWaitForExit(ctx, app, dialog)) return;
  SettingsReader reader;
  std::vector<std::u16string> off;
  if (reader.Open(app.settings_path().c_str())) off = reader.ReadStringList(kDisabledPluginsEntry);
  ctx.Expect(off == std::vector<std::u16string>{u"tiffx.spi"},
             "entry 208 keeps tiffx.spi switched off under its file name");
}

// Turning "the view window follows the picture" off puts the window back at
// the place kept for it.
E2E_SCENARIO(OptionsFollowImageOffRestoresTheKeptWindowPlace) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  HWND view = nullptr;
  if (!StartViewerOn(ctx, app, L"", &view, {{33, 1}, {49, 120}, {50, 90}, {51, 520}, {52, 410}})) {
    return;
  }
  SetWindowPos(view, nullptr, 300, 250, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(view, WM_COMMAND, kOptionsCommand, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  HWND box = dialog ? FindControl(dialog, kFollowImage) : nullptr;
  if (!ctx.Expect(box != nullptr, "5410 opens the options dialog with box 3135")) {
    if (dialog) FailOnDialogs({dialog}, "instead of the options dialog");
    return Close(app, view);
  }
  SendWithin(box, BM_SETCHECK, BST_UNCHECKED, 0);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  const DWORD start = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - start < 5000) Sleep(50);
  ctx.Expect(!IsWindow(dialog), "OK closes the dialog");
  RECT r = {};
  GetWindowRect(view, &r);
  ctx.Expect(r.left == 120 && r.top == 90 && r.right - r.left == 520 && r.bottom - r.top == 410,
             "the window is back at 120, 90, 520 x 410, not " + std::to_string(r.left) + ", " +
                 std::to_string(r.top) + ", " + std::to_string(r.right - r.left) + " x " +
                 std::to_string(r.bottom - r.top));
  Close(app, view);
}
