#include "tests/e2e/settings_file.h"

#include <windows.h>

#include "app/settings_writer.h"
#include "app/win_handles.h"

std::vector<IntSetting> QuietSettings(std::vector<IntSetting> more) {
  more.insert(more.begin(), IntSetting{9, 0});
  return more;
}

bool WriteSettingsFile(const std::wstring& path, const std::vector<IntSetting>& ints,
                       const std::vector<ByteSetting>& bytes) {
  SettingsWriter writer;
  if (!writer.Open(path.c_str())) return false;
  for (const IntSetting& s : ints) writer.WriteInt(s.index, s.value);
  for (const ByteSetting& b : bytes) writer.WriteBytes(b.index, b.bytes.data(), b.bytes.size());
  return writer.Finish();
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  if (GetFileSizeEx(h, &size) && size.QuadPart < (1 << 24)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
  }
  CloseHandle(h);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
}

int32_t FileInt32(const std::vector<uint8_t>& file, size_t at) {
  if (file.size() < at + 4) return INT32_MIN;
  return int32_t(uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
                 uint32_t(file[at + 3]) << 24);
}
