// Runs one scenario in a child copy of the driver, so a scenario that hangs
// or crashes costs only itself: at its deadline the windows in the way are
// reported, and the child with every program it started is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ScenarioOutcome {
  bool passed = false;
  std::string report;  // "[  OK  ] name" or "[ FAIL ] name" and its failures
};

// `arguments` are the driver's own for the child (folders), before --one.
ScenarioOutcome RunIsolated(const std::wstring& driver, const std::wstring& arguments,
                            const std::string& name, DWORD deadline_ms);

// The lines a finished scenario reports.
std::string ReportLines(const std::string& name, const std::vector<std::string>& failures);
