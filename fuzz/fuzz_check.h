// What a fuzz target demands beyond "does not crash": a broken promise stops
// the run, and the fuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Require(bool condition, const char* promise) {
  if (condition) return;
  std::fprintf(stderr, "fuzz: broken promise: %s\n", promise);
  std::abort();
}
