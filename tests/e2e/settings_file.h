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
// Creates or replaces the file with exactly these bytes.
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// Little-endian fields of a settings file's bytes; INT32_MIN past the end.
int32_t FileInt32(const std::vector<uint8_t>& file, size_t at);
// The value stored in directory slot `index` (meaningful for inline entries).
inline int32_t InlineValue(const std::vector<uint8_t>& file, int index) {
  return FileInt32(file, 4 + 8 * size_t(index) + 4);
}
