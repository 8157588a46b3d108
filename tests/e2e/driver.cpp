// End-to-end driver: runs every scenario (or those named on the command line)
// against Ovira.exe and English.dll from the given folder, each in a child
// copy of itself, and writes each result the moment it is known.
//   e2e_driver BIN_DIR [--trash DIR] [--result FILE] [--deadline SECONDS] [SCENARIO...]
//   e2e_driver BIN_DIR --list [SCENARIO...]        names of the scenarios to run
//   e2e_driver BIN_DIR --one SCENARIO --result FILE (the child's part)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/win_handles.h"
#include "tests/e2e/isolated_run.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"

namespace {

struct Entry {
  const char* name;
  ScenarioFunction function;
};

std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}

ScenarioContext* g_running = nullptr;

struct Options {
  std::wstring bin_dir;
  std::wstring trash_folder;
  std::wstring result_path;
  std::string only;
  bool list = false;
  DWORD deadline_ms = 60000;
  std::vector<std::string> wanted;
};

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
  if (argc < 2) return false;
  options->bin_dir = argv[1];
  for (int i = 2; i < argc; ++i) {
    std::wstring arg = argv[i];
    bool has_value = i + 1 < argc;
    if (arg == L"--list") {
      options->list = true;
    } else if (arg == L"--result" && has_value) {
      options->result_path = argv[++i];
    } else if (arg == L"--trash" && has_value) {
      options->trash_folder = argv[++i];
    } else if (arg == L"--one" && has_value) {
      options->only = Narrow(argv[++i]);
    } else if (arg == L"--deadline" && has_value) {
      options->deadline_ms = DWORD(_wtoi(argv[++i])) * 1000;
    } else if (arg.rfind(L"--", 0) == 0) {
      return false;
    } else {
      options->wanted.push_back(Narrow(arg));
    }
  }
  return true;
}

std::vector<const Entry*> Selected(const std::vector<std::string>& wanted) {
  std::vector<const Entry*> chosen;
  for (const Entry& entry : Registry()) {
    if (wanted.empty() || std::find(wanted.begin(), wanted.end(), entry.name) != wanted.end())
      chosen.push_back(&entry);
  }
  return chosen;
}

// Appends and closes at once, so a driver killed later still leaves every
// result written so far.
void AppendToFile(const std::wstring& path, const std::string& text, bool truncate = false) {
  if (path.empty()) return;
  UniqueFile file(CreateFileW(path.c_str(), truncate ? GENERIC_WRITE : FILE_APPEND_DATA,
                              FILE_SHARE_READ, nullptr, truncate ? CREATE_ALWAYS : OPEN_ALWAYS, 0,
                              nullptr));
  DWORD written = 0;
  if (file && !text.empty()) WriteFile(file.get(), text.data(), DWORD(text.size()), &written, nullptr);
}

int RunOne(const Options& options) {
  std::vector<const Entry*> entry = Selected({options.only});
  if (entry.empty()) {
    AppendToFile(options.result_path, ReportLines(options.only, {"no such scenario"}), true);
    return 1;
  }
  ScenarioContext ctx;
  ctx.bin_dir = options.bin_dir;
  ctx.trash_folder = options.trash_folder;
  g_running = &ctx;
  entry.front()->function(ctx);
  g_running = nullptr;
  AppendToFile(options.result_path, ReportLines(options.only, ctx.failures), true);
  return ctx.failures.empty() ? 0 : 1;
}

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, n);
}

int RunAll(const Options& options) {
  std::wstring child_arguments = L"\"" + options.bin_dir + L"\"";
  if (!options.trash_folder.empty()) child_arguments += L" --trash \"" + options.trash_folder + L"\"";
  AppendToFile(options.result_path, "", true);
  int passed = 0, failed = 0;
  for (const Entry* entry : Selected(options.wanted)) {
    ScenarioOutcome outcome =
        RunIsolated(ThisProgram(), child_arguments, entry->name, options.deadline_ms);
    AppendToFile(options.result_path, outcome.report);
    std::fputs(outcome.report.c_str(), stdout);
    std::fflush(stdout);
    (outcome.passed ? passed : failed)++;
  }
  char summary[96];
  std::snprintf(summary, sizeof(summary), "e2e: %d passed, %d failed\n", passed, failed);
  AppendToFile(options.result_path, summary);
  std::fputs(summary, stdout);
  return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioFunction function) {
  Registry().push_back({name, function});
}

ScenarioContext* RunningScenario() { return g_running; }

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fputs("usage: e2e_driver BIN_DIR [--trash DIR] [--result FILE] [--deadline SECONDS]"
               " [--list | --one SCENARIO] [SCENARIO...]\n", stderr);
    return 2;
  }
  if (options.list) {
    for (const Entry* entry : Selected(options.wanted)) std::printf("%s\n", entry->name);
    return 0;
  }
  return options.only.empty() ? RunAll(options) : RunOne(options);
}
