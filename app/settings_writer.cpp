#include "app/settings_writer.h"

#include "app/settings_directory.h"
#include "app/settings_text.h"

namespace {

// Everything must stay addressable by 32-bit positions and below 4 GiB.
constexpr uint64_t kMaxDataAreaSize = kSettingsFileSizeLimit - 1 - kSettingsFullDataStart;

bool LiesInsideDataArea(const DirectoryEntry& entry, const SettingsDirectory& directory) {
  return entry.position >= directory.data_start &&
         uint64_t{entry.position} + entry.length <= directory.file_size;
}

}  // namespace

bool SettingsWriter::Open(const PathChar* path) {
  *this = SettingsWriter{};
  if (!file_.OpenForUpdate(path)) return false;
  RememberOldEntries();
  return true;
}

// The old bytes are read now because Finish() writes over the area they
// live in. Each is read on its own, so one unreadable string costs only that
// string and not every entry the rewrite is meant to keep.
void SettingsWriter::RememberOldEntries() {
  const SettingsDirectory old = ReadSettingsDirectory(file_);
  if (!old.valid) return;
  entries_ = old.entries;
  uint64_t kept_bytes = 0;
  for (int i = 0; i < old.count; ++i) {
    const DirectoryEntry& entry = old.entries[i];
    if (!entry.IsByteString()) continue;
    carry_over_[i] = true;
    if (!LiesInsideDataArea(entry, old) || kept_bytes + entry.length > kMaxDataAreaSize) {
      continue;
    }
    std::vector<uint8_t>& bytes = old_bytes_[i];
    bytes.resize(entry.length);
    old_bytes_readable_[i] = file_.ReadAt(entry.position, bytes.data(), bytes.size()) == bytes.size();
    if (!old_bytes_readable_[i]) bytes.clear();
    kept_bytes += bytes.size();
  }
}

bool SettingsWriter::IsWritableIndex(int index) const {
  return IsValid() && index >= 0 && index < kSettingsEntryCount;
}

bool SettingsWriter::AppendData(const uint8_t* data, size_t size, DirectoryEntry* placed) {
  if (size > kMaxDataAreaSize - data_.size()) return false;
  *placed = DirectoryEntry{static_cast<uint32_t>(kSettingsFullDataStart + data_.size()),
                           static_cast<uint32_t>(size)};
  data_.insert(data_.end(), data, data + size);
  return true;
}

// Any write settles the index, an integer too: otherwise an old byte string
// at that index would be carried over in Finish() on top of the new value.
bool SettingsWriter::WriteInt(int index, int32_t value) {
  if (!IsWritableIndex(index)) return false;
  entries_[index] = InlineEntry(value);
  carry_over_[index] = false;
  return true;
}

bool SettingsWriter::WriteBytes(int index, const uint8_t* data, size_t size) {
  if (!IsWritableIndex(index)) return false;
  DirectoryEntry placed;  // absent unless there are bytes to place
  if (size > 0 && !AppendData(data, size, &placed)) return false;
  entries_[index] = placed;
  carry_over_[index] = false;
  return true;
}

bool SettingsWriter::WriteString(int index, const std::u16string& text) {
  const std::vector<uint8_t> bytes = EncodeSettingsText(text);
  return WriteBytes(index, bytes.data(), bytes.size());
}

bool SettingsWriter::WriteStringList(int index, const std::vector<std::u16string>& names) {
  const std::vector<uint8_t> bytes = EncodeSettingsStringList(names);
  return WriteBytes(index, bytes.data(), bytes.size());
}

// An empty old string keeps meaning "present but empty", so it is placed
// like any other carried-over string rather than turned absent.
DirectoryEntry SettingsWriter::CarryOver(int index) {
  const std::vector<uint8_t>& bytes = old_bytes_[index];
  DirectoryEntry placed;
  if (!old_bytes_readable_[index] || !AppendData(bytes.data(), bytes.size(), &placed)) {
    return DirectoryEntry{};
  }
  return placed;
}

bool SettingsWriter::Finish() {
  if (!IsValid()) return false;
  for (int i = 0; i < kSettingsEntryCount; ++i) {
    if (carry_over_[i]) entries_[i] = CarryOver(i);
  }

  const auto head = EncodeHeaderAndDirectory(entries_);
  std::vector<uint8_t> contents(head.begin(), head.end());
  contents.insert(contents.end(), data_.begin(), data_.end());
  const bool written = file_.WriteAt(0, contents.data(), contents.size()) == contents.size() &&
                       file_.Truncate(contents.size());
  *this = SettingsWriter{};
  return written;
}
