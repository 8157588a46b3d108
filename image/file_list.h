// The images beside the current one: the image files of the current file's
// folder or the image members of the current archive, in one of three
// orders, with the index of the current entry. Stepping moves that index and
// stops at either end; the list never wraps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/win_records.h"

struct FileListEntry {
  std::u16string name;    // file name, or member name inside an archive
  std::u16string folder;  // the member's folder inside its archive; empty for files
  uint32_t key = 0;       // what the archive extracts the member by; 0 for files
  FileTimeValue last_write{};
  // Whole bytes: an archive needs the exact size to extract a member, and the
  // size order follows bytes (entries of equal KiB keep no defined order).
  uint64_t size = 0;
};

// Size shown to the user: KiB rounded up, held at the largest 32-bit value
// for files of 4 TiB and more.
uint32_t SizeInKib(uint64_t bytes);

// The values the settings keep for the order.
enum class SortOrder : int32_t { kName = 0, kDate = 1, kSize = 2 };

enum class ListStep { kFirst, kLast, kPrevious, kNext };

// The index a step moves to, or nothing when the step does not move: first
// at the first entry, last at the last, previous at the first, next at the
// last, and every step in a list of fewer than two entries.
std::optional<size_t> StepTarget(size_t count, size_t current, ListStep step);

class FileList {
 public:
  // Told after every rebuild and every re-sort (not after a plain change of
  // the current index), so that the side list can reset its rows and its
  // selection.
  using Listener = std::function<void(const FileList&)>;
  void SetListener(Listener listener) { listener_ = std::move(listener); }

  // Replaces the list with the image files of a folder, sorted, and makes the
  // file named current_name current (see SelectByName).
  void AssignFolder(std::vector<FileListEntry> entries, SortOrder order,
                    std::u16string_view current_name);
  // Replaces the list with the image members of an archive, sorted, and makes
  // the member with current_key current when one is given, else the first.
  void AssignArchive(std::vector<FileListEntry> entries, SortOrder order,
                     std::optional<uint32_t> current_key);
  void Clear();

  // Re-sorts when the order differs from the list's; the current entry stays
  // current wherever it lands.
  void Sort(SortOrder order);

  // The first entry with exactly this name, else the first whose name differs
  // only in the case of ASCII letters, becomes current; without either the
  // first entry does. False when no name matched.
  bool SelectByName(std::u16string_view name);
  // The first entry with this key becomes current, else the first entry.
  bool SelectByKey(uint32_t key);
  // Makes an index current; one at or beyond the count selects the first
  // entry. Returns the index now current.
  size_t Select(size_t index);
  std::optional<size_t> StepTarget(ListStep step) const {
    return ::StepTarget(entries_.size(), current_, step);
  }
  // Drops the current entry (its file was deleted); the one after it moves
  // into its place and becomes current, or the first when it was the last.
  void RemoveCurrent();

  bool empty() const { return entries_.empty(); }
  size_t count() const { return entries_.size(); }
  size_t current() const { return current_; }
  SortOrder order() const { return order_; }
  const std::vector<FileListEntry>& entries() const { return entries_; }
  const FileListEntry* CurrentEntry() const {
    return entries_.empty() ? nullptr : &entries_[current_];
  }

 private:
  void Replace(std::vector<FileListEntry> entries, SortOrder order);
  bool SelectFound(std::optional<size_t> found);
  void Announce() const {
    if (listener_) listener_(*this);
  }

  std::vector<FileListEntry> entries_;
  size_t current_ = 0;
  SortOrder order_ = SortOrder::kName;
  Listener listener_;
};
