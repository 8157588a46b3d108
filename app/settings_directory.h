// The header and directory of a settings file as found on disk. Both the
// reader and the writer start from this, so they agree on what counts as a
// usable file.
#pragma once

#include <cstdint>

#include "app/settings_format.h"
#include "app/settings_io.h"

struct SettingsDirectory {
  // False for a short header, a short directory or a file of 4 GiB or more;
  // every entry then counts as absent and the version as 0.
  bool valid = false;
  uint16_t count = 0;  // clamped to kSettingsEntryCount
  uint16_t version = 0;
  uint64_t file_size = 0;
  // The data area follows the directory of the clamped count.
  uint64_t data_start = 0;
  uint64_t data_size = 0;
  // Slots at and beyond `count` stay absent.
  SettingsDirectoryEntries entries{};

  bool Holds(int index) const { return valid && index >= 0 && index < count; }
  DirectoryEntry At(int index) const { return Holds(index) ? entries[index] : DirectoryEntry{}; }
};

SettingsDirectory ReadSettingsDirectory(const SettingsFile& file);
