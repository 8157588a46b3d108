// Settings files for the scenarios, written with the program's own writer so
// they are exactly what the program itself would produce.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct IntSetting {
  int index;
  int32_t value;
};
struct ByteSetting {
  int index;
  std::vector<uint8_t> bytes;
};

// Quiet defaults for scenarios: no start-up notice.
std::vector<IntSetting> QuietSettings(std::vector<IntSetting> more = {});

// Writes (or rewrites) the file with these entries; others stay as they were.
bool WriteSettingsFile(const std::wstring& path, const std::vector<IntSetting>& ints,
                       const std::vector<ByteSetting>& bytes = {});

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
