#include "app/settings_directory.h"

#include <vector>

SettingsDirectory ReadSettingsDirectory(const SettingsFile& file) {
  SettingsDirectory directory;
  uint8_t header_bytes[kSettingsHeaderSize];
  if (file.ReadAt(0, header_bytes, sizeof header_bytes) != sizeof header_bytes) {
    return directory;
  }
  const SettingsHeader header = DecodeHeader(header_bytes);
  const uint16_t count = ClampEntryCount(header.count);

  std::vector<uint8_t> table(count * kSettingsDirectoryEntrySize);
  if (file.ReadAt(kSettingsHeaderSize, table.data(), table.size()) != table.size()) {
    return directory;
  }
  uint64_t file_size = 0;
  if (!file.GetSize(&file_size) || file_size >= kSettingsFileSizeLimit ||
      file_size < DataAreaStart(count)) {
    return directory;
  }

  directory.valid = true;
  directory.count = count;
  directory.version = header.version;
  directory.file_size = file_size;
  directory.data_start = DataAreaStart(count);
  directory.data_size = file_size - directory.data_start;
  for (uint16_t i = 0; i < count; ++i) {
    directory.entries[i] = DecodeDirectoryEntry(table.data() + i * kSettingsDirectoryEntrySize);
  }
  return directory;
}
