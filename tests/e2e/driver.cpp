// End-to-end driver: runs every scenario (or those named on the command line)
// against Ovira.exe and English.dll from the given folder.
//   e2e_driver BIN_DIR [--result FILE] [SCENARIO...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? char(c) : '?');
  return out;
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioFunction function) {
  Registry().push_back({name, function});
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: e2e_driver BIN_DIR [--result FILE] [SCENARIO...]\n", stderr);
    return 2;
  }
  std::wstring result_path;
  std::vector<std::string> wanted;
  for (int i = 2; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"--result" && i + 1 < argc) {
      result_path = argv[++i];
    } else {
      wanted.push_back(Narrow(argv[i]));
    }
  }

  std::string report;
  int passed = 0, failed = 0;
  for (const Entry& entry : Registry()) {
    if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), entry.name) == wanted.end())
      continue;
    ScenarioContext ctx;
    ctx.bin_dir = argv[1];
    entry.function(ctx);
    std::string line = (ctx.failures.empty() ? "[  OK  ] " : "[ FAIL ] ") + std::string(entry.name);
    for (const std::string& f : ctx.failures) line += "\n           " + f;
    report += line + "\n";
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    (ctx.failures.empty() ? passed : failed)++;
  }
  char summary[96];
  std::snprintf(summary, sizeof(summary), "e2e: %d passed, %d failed\n", passed, failed);
  report += summary;
  std::fputs(summary, stdout);

  if (!result_path.empty()) {
    HANDLE h = CreateFileW(result_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, report.data(), DWORD(report.size()), &written, nullptr);
    CloseHandle(h);
  }
  return failed == 0 && passed > 0 ? 0 : 1;
}
