// A minimal runner for end-to-end scenarios: each one drives a real copy of
// the program and records every check that fails.
#pragma once

#include <string>
#include <vector>

struct ScenarioContext {
  std::wstring bin_dir;
  // The desktop's trash folder (files/ and info/ inside) that the shell's
  // recycle bin uses under this run's private home.
  std::wstring trash_folder;
  std::vector<std::string> failures;

  // Records a failed expectation; returns the condition so a scenario can
  // stop when later checks would make no sense.
  bool Expect(bool condition, const std::string& what) {
    if (!condition) failures.push_back(what);
    return condition;
  }
};

// The scenario running in this process, for helpers that find faults on
// their own (a window left open, a command that never returns).
ScenarioContext* RunningScenario();

using ScenarioFunction = void (*)(ScenarioContext&);

struct ScenarioRegistration {
  ScenarioRegistration(const char* name, ScenarioFunction function);
};

#define E2E_SCENARIO(name)                                                  \
  static void name(ScenarioContext&);                                       \
  static const ScenarioRegistration name##_registration(#name, name);       \
  static void name(ScenarioContext& ctx)
