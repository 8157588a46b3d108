#include "tests/e2e/open_windows.h"

#include "tests/e2e/scenario.h"

namespace {

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024];
  int n = GetWindowTextW(window, buffer, 1024);
  return std::wstring(buffer, n > 0 ? n : 0);
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM param) {
  std::wstring text = TextOf(child);
  if (!text.empty()) {
    auto* out = reinterpret_cast<std::wstring*>(param);
    if (!out->empty()) out->append(L" | ");
    out->append(text);
  }
  return TRUE;
}

struct DialogSearch {
  const std::function<bool(DWORD)>* owned;
  std::vector<HWND> found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  wchar_t name[16];
  if (!IsWindowVisible(window) || GetClassNameW(window, name, 16) == 0 ||
      lstrcmpW(name, L"#32770") != 0)
    return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((*search->owned)(pid)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c == L'\r' || c == L'\n' ? ' ' : c < 0x80 ? char(c) : '?');
  return out;
}

std::string DescribeWindow(HWND window) {
  std::wstring children;
  EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&children));
  std::string text = "\"";
  text.append(Narrow(TextOf(window))).append("\": ").append(Narrow(children));
  return text;
}

std::vector<HWND> OpenDialogs(const std::function<bool(DWORD pid)>& owned) {
  DialogSearch search{&owned, {}};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> OpenDialogsOfProcess(DWORD pid) {
  return OpenDialogs([pid](DWORD owner) { return owner == pid; });
}

void DismissDialog(HWND dialog) {
  for (WPARAM answer : {WPARAM(IDCANCEL), WPARAM(IDNO)}) {
    PostMessageW(dialog, WM_COMMAND, answer, 0);
    for (int i = 0; i < 10 && IsWindow(dialog); ++i) Sleep(50);
    if (!IsWindow(dialog)) return;
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

int FailOnDialogs(const std::vector<HWND>& dialogs, const std::string& why) {
  ScenarioContext* ctx = RunningScenario();
  for (HWND dialog : dialogs) {
    if (ctx) ctx->failures.push_back(why + ": unexpected window " + DescribeWindow(dialog));
    DismissDialog(dialog);
  }
  return int(dialogs.size());
}
