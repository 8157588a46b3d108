// Rewrites the settings file while keeping every entry it is not told to
// change: unknown indices, inline values of other versions and byte strings
// of entries other parts of the program own.
//
// Open() takes the file exclusively and remembers its old entries; the
// Write* calls only build the new contents in memory, and Finish() writes the
// whole file at once. Until Finish() the file on disk is untouched, so a
// writer dropped unfinished never leaves a half-rewritten file whose
// entries point at bytes that were cut off.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings_format.h"
#include "app/settings_io.h"

class SettingsWriter {
 public:
  // Creates the file when missing. A file the reader would reject (short
  // header or directory, 4 GiB or more) is rewritten as if it held no
  // entries. Returns IsValid().
  bool Open(const PathChar* path);
  bool IsValid() const { return file_.IsOpen(); }

  // Each returns false when the writer is invalid, the index is outside
  // 0..227, or a byte string would push the file to 4 GiB.
  bool WriteInt(int index, int32_t value);
  // Empty texts and empty byte strings are stored as absent entries.
  bool WriteString(int index, const std::u16string& text);
  // The same, but an empty text is stored as present with no characters,
  // which readers tell apart from an entry never written.
  bool WriteStoredString(int index, const std::u16string& text);
  bool WriteBytes(int index, const uint8_t* data, size_t size);
  bool WriteStringList(int index, const std::vector<std::u16string>& names);

  // Moves the old byte strings nobody replaced behind the new ones, writes
  // header, directory and data area, truncates and closes. Old entries that
  // shared bytes still share one copy of them. Old byte strings that were
  // not readable, or lay outside the old data area, become absent rather
  // than keep a position that now points at unrelated bytes.
  bool Finish();

 private:
  // A stretch of the old data area that old byte strings point into. Strings
  // that share or overlap bytes lie in one run, so each byte is kept once.
  struct OldRun {
    uint64_t position = 0;
    std::vector<uint8_t> bytes;
  };

  void RememberOldEntries();
  bool IsWritableIndex(int index) const;
  // Adds bytes to the new data area; `placed` receives where they went.
  bool AppendData(const uint8_t* data, size_t size, DirectoryEntry* placed);
  const OldRun* RunHolding(uint64_t start, uint64_t end) const;
  void CarryOverOldEntries();

  SettingsFile file_;
  SettingsDirectoryEntries entries_{};
  // Byte strings of the old file that still have to be carried over, by
  // index; an index is settled as soon as anything is written to it.
  std::array<bool, kSettingsEntryCount> carry_over_{};
  // The readable runs, disjoint and in file order.
  std::vector<OldRun> old_runs_;
  // New data area: what goes after the full directory.
  std::vector<uint8_t> data_;
};
