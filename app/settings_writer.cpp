#include "app/settings_writer.h"

#include <algorithm>

#include "app/settings_directory.h"
#include "app/settings_text.h"

namespace {

// Everything must stay addressable by 32-bit positions and below 4 GiB.
constexpr uint64_t kMaxDataAreaSize = kSettingsFileSizeLimit - 1 - kSettingsFullDataStart;

bool LiesInsideDataArea(const DirectoryEntry& entry, const SettingsDirectory& directory) {
  return entry.position >= directory.data_start &&
         uint64_t{entry.position} + entry.length <= directory.file_size;
}

// Bytes start to end (exclusive) of a file.
struct ByteRange {
  uint64_t start = 0;
  uint64_t end = 0;
};

ByteRange RangeOf(const DirectoryEntry& entry) {
  return ByteRange{entry.position, uint64_t{entry.position} + entry.length};
}

// In file order, with ranges that overlap or touch joined into one.
std::vector<ByteRange> Joined(std::vector<ByteRange> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const ByteRange& a, const ByteRange& b) { return a.start < b.start; });
  std::vector<ByteRange> joined;
  for (const ByteRange& range : ranges) {
    if (!joined.empty() && range.start <= joined.back().end) {
      joined.back().end = std::max(joined.back().end, range.end);
    } else {
      joined.push_back(range);
    }
  }
  return joined;
}

// Where a range of the old file went in the new one.
struct Move {
  ByteRange from;
  uint32_t to = 0;
};

// An entry keeps its offset inside the range it was moved with; one whose
// bytes were not moved becomes absent.
DirectoryEntry Relocated(const DirectoryEntry& entry, const std::vector<Move>& moves) {
  const ByteRange range = RangeOf(entry);
  for (const Move& move : moves) {
    if (move.from.start <= range.start && range.end <= move.from.end) {
      return DirectoryEntry{static_cast<uint32_t>(move.to + (range.start - move.from.start)),
                            entry.length};
    }
  }
  return DirectoryEntry{};
}

}  // namespace

bool SettingsWriter::Open(const PathChar* path) {
  *this = SettingsWriter{};
  if (!file_.OpenForUpdate(path)) return false;
  RememberOldEntries();
  return true;
}

// The old bytes are read now because Finish() writes over the area they
// live in. Entries of other versions may point at the same bytes, so what
// they point at is read as joined runs, each byte once: copying every entry
// on its own once turned an 83-entry file of 1 MiB into 87 MB. Each run is
// read on its own, so an unreadable run costs only the entries inside it.
void SettingsWriter::RememberOldEntries() {
  const SettingsDirectory old = ReadSettingsDirectory(file_);
  if (!old.valid) return;
  entries_ = old.entries;
  std::vector<ByteRange> pointed_at;
  for (int i = 0; i < old.count; ++i) {
    const DirectoryEntry& entry = old.entries[i];
    if (!entry.IsByteString()) continue;
    carry_over_[i] = true;
    if (LiesInsideDataArea(entry, old)) pointed_at.push_back(RangeOf(entry));
  }
  for (const ByteRange& range : Joined(std::move(pointed_at))) {
    OldRun run{range.start, std::vector<uint8_t>(range.end - range.start)};
    if (file_.ReadAt(run.position, run.bytes.data(), run.bytes.size()) == run.bytes.size()) {
      old_runs_.push_back(std::move(run));
    }
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

bool SettingsWriter::WriteStoredString(int index, const std::u16string& text) {
  if (!text.empty()) return WriteString(index, text);
  if (!IsWritableIndex(index)) return false;
  entries_[index] = DirectoryEntry{static_cast<uint32_t>(kSettingsFullDataStart + data_.size()), 0};
  carry_over_[index] = false;
  return true;
}

bool SettingsWriter::WriteStringList(int index, const std::vector<std::u16string>& names) {
  const std::vector<uint8_t> bytes = EncodeSettingsStringList(names);
  return WriteBytes(index, bytes.data(), bytes.size());
}

const SettingsWriter::OldRun* SettingsWriter::RunHolding(uint64_t start, uint64_t end) const {
  for (const OldRun& run : old_runs_) {
    if (run.position <= start && end <= run.position + run.bytes.size()) return &run;
  }
  return nullptr;
}

// Only what the remaining entries still point at is carried, each byte
// once. An empty old string keeps meaning "present but empty", so it is
// placed like any other carried-over string rather than turned absent.
void SettingsWriter::CarryOverOldEntries() {
  std::vector<ByteRange> wanted;
  for (int i = 0; i < kSettingsEntryCount; ++i) {
    const ByteRange range = RangeOf(entries_[i]);
    if (carry_over_[i] && RunHolding(range.start, range.end)) wanted.push_back(range);
  }
  std::vector<Move> moves;
  for (const ByteRange& range : Joined(std::move(wanted))) {
    // The runs were joined the same way from a superset of these ranges,
    // so each joined range lies inside one run.
    const OldRun* run = RunHolding(range.start, range.end);
    DirectoryEntry placed;
    if (!run || !AppendData(run->bytes.data() + (range.start - run->position),
                            range.end - range.start, &placed)) {
      continue;
    }
    moves.push_back(Move{range, placed.position});
  }
  for (int i = 0; i < kSettingsEntryCount; ++i) {
    if (carry_over_[i]) entries_[i] = Relocated(entries_[i], moves);
  }
}

bool SettingsWriter::Finish() {
  if (!IsValid()) return false;
  CarryOverOldEntries();

  const auto head = EncodeHeaderAndDirectory(entries_);
  std::vector<uint8_t> contents(head.begin(), head.end());
  contents.insert(contents.end(), data_.begin(), data_.end());
  const bool written = file_.WriteAt(0, contents.data(), contents.size()) == contents.size() &&
                       file_.Truncate(contents.size());
  *this = SettingsWriter{};
  return written;
}
