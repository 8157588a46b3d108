#include "tests/e2e/app_instance.h"

#include <shellapi.h>

#include "tests/e2e/open_windows.h"

namespace {

std::wstring NewTempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
    std::wstring candidate = std::wstring(base) + L"ovira-e2e-" + std::to_wstring(n);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

void RemoveFolder(const std::wstring& folder) {
  // SHFileOperation wants a double-zero-terminated list.
  std::wstring from = folder + L'\0';
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || (WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
  CloseHandle(h);
  return ok;
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->process_id && WindowClassName(window) == search->class_name &&
      (!search->visible_only || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

AppInstance::AppInstance(std::wstring bin_dir) : bin_dir_(std::move(bin_dir)) {}

AppInstance::~AppInstance() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      // A box nobody answered is something the user would have had to
      // deal with: the scenario fails with its text.
      FailOnDialogs(OpenDialogsOfProcess(process_.dwProcessId), "when the scenario ended");
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  if (!folder_.empty()) RemoveFolder(folder_);
}

bool AppInstance::Prepare(const std::vector<uint8_t>& settings, bool with_language) {
  folder_ = NewTempFolder();
  if (folder_.empty()) return false;
  if (!CopyFileW((bin_dir_ + L"\\Ovira.exe").c_str(), (folder_ + L"\\Ovira.exe").c_str(), FALSE))
    return false;
  if (with_language && !CopyFileW((bin_dir_ + L"\\English.dll").c_str(),
                                  (folder_ + L"\\English.dll").c_str(), FALSE))
    return false;
  return WriteBytes(folder_ + L"\\Ovira.ini", settings);
}

bool AppInstance::Start(const std::wstring& arguments) {
  std::wstring exe = folder_ + L"\\Ovira.exe";
  std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup = {sizeof(startup)};
  return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_) != 0;
}

HWND AppInstance::WaitForWindow(const wchar_t* class_name, DWORD timeout_ms,
                               bool visible_only) const {
  DWORD start = GetTickCount();
  do {
    WindowSearch search = {process_.dwProcessId, class_name, visible_only, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

long AppInstance::WaitForExit(DWORD timeout_ms) const {
  if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

std::wstring WindowClassName(HWND window) {
  wchar_t name[256];
  int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring WindowTitle(HWND window) {
  wchar_t title[512];
  int n = GetWindowTextW(window, title, 512);
  return std::wstring(title, n > 0 ? n : 0);
}

namespace {

struct ViewerSearch {
  std::wstring folder;
  std::vector<HWND> found;
};

std::wstring ProcessImage(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH];
  DWORD size = MAX_PATH;
  std::wstring image;
  if (QueryFullProcessImageNameW(process, 0, path, &size)) image.assign(path, size);
  CloseHandle(process);
  return image;
}

BOOL CALLBACK MatchViewerFromFolder(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ViewerSearch*>(param);
  if (WindowClassName(window) != L"Ovira_vwin_class") return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  std::wstring image = ProcessImage(pid);
  if (image.size() > search->folder.size() &&
      CompareStringOrdinal(image.c_str(), int(search->folder.size()), search->folder.c_str(),
                           int(search->folder.size()), TRUE) == CSTR_EQUAL)
    search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ViewersStartedFrom(const std::wstring& folder) {
  ViewerSearch search{folder + L"\\", {}};
  EnumWindows(MatchViewerFromFolder, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
