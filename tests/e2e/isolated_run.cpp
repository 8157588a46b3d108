#include "tests/e2e/isolated_run.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "app/win_handles.h"
#include "tests/e2e/open_windows.h"

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring TemporaryResultPath() {
  wchar_t folder[MAX_PATH], path[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  if (!GetTempFileNameW(folder, L"e2e", 0, path)) return {};
  return path;
}

std::string ReadWholeFile(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr));
  if (!file) return {};
  std::string text(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.get(), text.data(), DWORD(text.size()), &read, nullptr))
    read = 0;
  text.resize(read);
  return text;
}

// The child and everything it started, found by parent process: Wine does
// not carry a job object on to the processes a job's member starts.
std::vector<DWORD> ProcessTree(DWORD root) {
  std::vector<std::pair<DWORD, DWORD>> links;  // process, parent
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {sizeof(entry)};
  if (snapshot && Process32FirstW(snapshot.get(), &entry)) {
    do {
      links.emplace_back(entry.th32ProcessID, entry.th32ParentProcessID);
    } while (Process32NextW(snapshot.get(), &entry));
  }
  std::vector<DWORD> tree = {root};
  for (size_t i = 0; i < tree.size(); ++i) {
    for (const auto& [process, parent] : links) {
      if (parent == tree[i] && std::find(tree.begin(), tree.end(), process) == tree.end())
        tree.push_back(process);
    }
  }
  return tree;
}

void EndProcesses(const std::vector<DWORD>& pids) {
  for (DWORD pid : pids) {
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) continue;
    TerminateProcess(process.get(), 99);
    WaitForSingleObject(process.get(), 2000);
  }
}

// What stood in the way when the deadline passed, one failure per window.
std::vector<std::string> WindowsInTheWay(const std::vector<DWORD>& pids) {
  std::vector<std::string> lines;
  for (HWND dialog : OpenDialogs([&pids](DWORD pid) {
         return std::find(pids.begin(), pids.end(), pid) != pids.end();
       })) {
    lines.push_back("window open at the deadline " + DescribeWindow(dialog));
    DismissDialog(dialog);
  }
  return lines;
}

}  // namespace

std::string ReportLines(const std::string& name, const std::vector<std::string>& failures) {
  std::string text = (failures.empty() ? "[  OK  ] " : "[ FAIL ] ") + name + "\n";
  for (const std::string& f : failures) text += "           " + f + "\n";
  return text;
}

ScenarioOutcome RunIsolated(const std::wstring& driver, const std::wstring& arguments,
                            const std::string& name, DWORD deadline_ms) {
  std::wstring result = TemporaryResultPath();
  std::wstring command = L"\"" + driver + L"\" " + arguments + L" --one " + Widen(name) +
                         L" --result \"" + result + L"\"";
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION child = {};
  if (result.empty() ||
      !CreateProcessW(driver.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &child)) {
    return {false, ReportLines(name, {"the scenario's process could not be started"})};
  }
  UniqueKernelHandle process(child.hProcess), thread(child.hThread);

  std::vector<std::string> failures;
  ScenarioOutcome outcome;
  if (WaitForSingleObject(process.get(), deadline_ms) == WAIT_TIMEOUT) {
    failures.push_back("did not finish within " + std::to_string(deadline_ms / 1000) + " s");
    for (const std::string& line : WindowsInTheWay(ProcessTree(child.dwProcessId))) failures.push_back(line);
    outcome = {false, ReportLines(name, failures)};
  } else {
    std::string report = ReadWholeFile(result);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    if (report.empty()) {
      outcome = {false, ReportLines(name, {"ended without a result (exit code " +
                                           std::to_string(code) + ")"})};
    } else {
      outcome = {report.rfind("[  OK  ]", 0) == 0, report};
    }
  }
  // Whatever the scenario left running (a second copy, a hung viewer) ends here.
  EndProcesses(ProcessTree(child.dwProcessId));
  DeleteFileW(result.c_str());
  return outcome;
}
