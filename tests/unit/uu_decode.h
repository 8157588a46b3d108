// Test files that libarchive's source package keeps uuencoded: decoded
// here at test time, so they come straight from that package.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// The folder of libarchive's test files, found when the tests were configured.
#ifndef OVIRA_LIBARCHIVE_TEST_DIR
#define OVIRA_LIBARCHIVE_TEST_DIR ""
#endif

// The bytes between "begin" and "end"; empty when the file is missing.
inline std::vector<uint8_t> DecodeUu(const std::string& path) {
  std::ifstream in(path);
  std::vector<uint8_t> out;
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!inside) {
      inside = line.rfind("begin ", 0) == 0;
      continue;
    }
    if (line == "end" || line.empty()) break;
    const auto sextet = [&](size_t i) { return i < line.size() ? uint32_t(line[i] - 32) & 63 : 0u; };
    const size_t count = sextet(0);
    for (size_t done = 0, at = 1; done < count; at += 4) {
      const uint32_t group = sextet(at) << 18 | sextet(at + 1) << 12 | sextet(at + 2) << 6 | sextet(at + 3);
      for (int k = 2; k >= 0 && done < count; --k, ++done) out.push_back(uint8_t(group >> (8 * k)));
    }
  }
  return out;
}

inline std::vector<uint8_t> LibarchiveTestFile(const std::string& name) {
  return DecodeUu(std::string(OVIRA_LIBARCHIVE_TEST_DIR) + "/" + name + ".uu");
}
