#include "tests/e2e/viewer_steps.h"

#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"

bool StartViewerOn(ScenarioContext& ctx, AppInstance& app, const std::wstring& arguments,
                   HWND* view, const std::vector<IntSetting>& more_settings) {
  std::vector<IntSetting> settings = {{33, 0}, {49, 40}, {50, 40}, {51, 520}, {52, 420}};
  settings.insert(settings.end(), more_settings.begin(), more_settings.end());
  WriteSettingsFile(app.settings_path(), QuietSettings(settings));
  if (!ctx.Expect(app.Start(arguments), "process started")) return false;
  *view = app.WaitForWindow(L"Ovira_vwin_class");
  return ctx.Expect(*view != nullptr, "the view window appears");
}

bool WaitForTitle(HWND window, const std::wstring& prefix, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  std::wstring title;
  do {
    title = WindowTitle(window);
    if (title.rfind(prefix, 0) == 0) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  // The title seen last tells a wrong text from a window that never changed.
  if (ScenarioContext* ctx = RunningScenario()) {
    ctx->failures.push_back("  (the title was \"" + std::string(title.begin(), title.end()) + "\")");
  }
  return false;
}

std::wstring KibText(size_t bytes) {
  return std::to_wstring(bytes / 1024) + L"." + std::to_wstring((bytes % 1024) * 10 / 1024) + L"KB";
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

namespace {

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(child) == search->id) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindControl(HWND root, int id) {
  // EnumChildWindows walks all descendants, not only the direct children.
  ChildSearch search = {id, nullptr};
  EnumChildWindows(root, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ControlText(HWND control) {
  wchar_t text[4200] = {};
  SendWithin(control, WM_GETTEXT, 4200, reinterpret_cast<LPARAM>(text));
  return text;
}

bool StagedCopyLeftIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*.ovira-new").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

void Close(AppInstance& app, HWND view) {
  PostMessageW(view, WM_CLOSE, 0, 0);
  app.WaitForExit(5000);
}

void CloseDroppingChanges(AppInstance& app, HWND view) {
  PostMessageW(view, WM_CLOSE, 0, 0);
  if (HWND question = app.WaitForWindow(L"#32770", 3000)) {
    PostMessageW(question, WM_COMMAND, IDNO, 0);
  }
  app.WaitForExit(5000);
}

void PressKey(WORD key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

void PressCtrlKey(WORD key) {
  INPUT keys[4] = {};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = keys[2].ki.wVk = key;
  keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof(INPUT));
}

void ClickOn(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  Sleep(200);
}

bool ShipPlugins(const std::wstring& bin_dir, AppInstance& app) {
  const std::wstring to = app.folder() + L"\\plugins";
  if (!CreateDirectoryW(to.c_str(), nullptr)) return false;
  for (const wchar_t* module : {L"tiffx.spi", L"webp.spi"}) {
    const std::wstring from = bin_dir + L"\\plugins\\" + module;
    if (!CopyFileW(from.c_str(), (to + L"\\" + module).c_str(), FALSE)) return false;
  }
  return true;
}
