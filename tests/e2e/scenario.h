// A minimal runner for end-to-end scenarios: each one drives a real copy of
// the program and records every check that fails.
#pragma once

#include <string>
#include <vector>

struct ScenarioContext {
  std::wstring bin_dir;
  std::vector<std::string> failures;

  // Records a failed expectation; returns the condition so a scenario can
  // stop when later checks would make no sense.
  bool Expect(bool condition, const std::string& what) {
    if (!condition) failures.push_back(what);
    return condition;
  }
};

using ScenarioFunction = void (*)(ScenarioContext&);

struct ScenarioRegistration {
  ScenarioRegistration(const char* name, ScenarioFunction function);
};

#define E2E_SCENARIO(name)                                                  \
  static void name(ScenarioContext&);                                       \
  static const ScenarioRegistration name##_registration(#name, name);       \
  static void name(ScenarioContext& ctx)
