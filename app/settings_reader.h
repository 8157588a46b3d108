// Reads entries of the settings file. The file stays open while the reader
// lives, and every entry is fetched when asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings_directory.h"
#include "app/settings_io.h"

class SettingsReader {
 public:
  // A missing or unusable file leaves the reader invalid, and then every
  // entry reads as absent. Returns IsValid().
  bool Open(const PathChar* path);
  void Close();

  bool IsValid() const { return directory_.valid; }
  // Clamped to 228; 0 for an invalid reader.
  uint16_t EntryCount() const { return directory_.count; }
  // 0 for a missing or invalid file, which older files also read as.
  uint16_t Version() const { return directory_.version; }

  bool HasInline(int index) const;
  // The stored value when entry `index` is inline, otherwise `fallback`.
  int32_t ReadInt(int index, int32_t fallback) const;
  // Empty when absent, longer than the data area or not fully readable.
  std::u16string ReadString(int index) const;
  // Whether a string was written for the entry, an empty one included;
  // false for an absent entry.
  bool HasStoredString(int index) const;
  // Copies the entry into `buffer`; returns its length, or 0 when it is
  // absent, longer than `capacity` or not fully readable.
  size_t ReadBytes(int index, uint8_t* buffer, size_t capacity) const;
  // Entry 30: whole records only, at most 113; empty when none is stored.
  std::vector<uint8_t> ReadAccelerators() const;
  std::vector<std::u16string> ReadStringList(int index) const;

 private:
  bool ReadByteString(int index, std::vector<uint8_t>* bytes) const;
  bool FitsDataArea(const DirectoryEntry& entry) const;

  SettingsFile file_;
  SettingsDirectory directory_;
};
