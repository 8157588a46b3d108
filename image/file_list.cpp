#include "image/file_list.h"

#include <algorithm>
#include <utility>

#include "image/ascii_case.h"
#include "image/file_list_sort.h"

uint32_t SizeInKib(uint64_t bytes) {
  // From the whole 64-bit size: rounding the low 32 bits alone would wrap
  // for files just under 4 GiB and shrink larger ones.
  const uint64_t kib = bytes / 1024 + (bytes % 1024 != 0);
  return kib > UINT32_MAX ? UINT32_MAX : uint32_t(kib);
}

std::optional<size_t> StepTarget(size_t count, size_t current, ListStep step) {
  if (count < 2) return std::nullopt;
  const size_t last = count - 1;
  if (current > last) current = last;
  switch (step) {
    case ListStep::kFirst:
      if (current != 0) return 0;
      break;
    case ListStep::kLast:
      if (current != last) return last;
      break;
    case ListStep::kPrevious:
      if (current != 0) return current - 1;
      break;
    case ListStep::kNext:
      if (current != last) return current + 1;
      break;
  }
  return std::nullopt;
}

void FileList::Replace(std::vector<FileListEntry> entries, SortOrder order) {
  entries_ = std::move(entries);
  order_ = order;
  current_ = 0;
  SortEntries(&entries_, order_, nullptr);
}

void FileList::AssignFolder(std::vector<FileListEntry> entries, SortOrder order,
                            std::u16string_view current_name) {
  Replace(std::move(entries), order);
  SelectByName(current_name);
  Announce();
}

void FileList::AssignArchive(std::vector<FileListEntry> entries, SortOrder order,
                             std::optional<uint32_t> current_key) {
  Replace(std::move(entries), order);
  if (current_key) SelectByKey(*current_key);
  Announce();
}

void FileList::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  current_ = 0;
  Announce();
}

void FileList::Sort(SortOrder order) {
  if (order == order_) return;
  order_ = order;
  SortEntries(&entries_, order_, entries_.empty() ? nullptr : &current_);
  Announce();
}

bool FileList::SelectByName(std::u16string_view name) {
  return SelectFound(
      FindByName(entries_, name, [](const FileListEntry& e) -> const std::u16string& { return e.name; }));
}

bool FileList::SelectByKey(uint32_t key) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const FileListEntry& e) { return e.key == key; });
  if (found == entries_.end()) return SelectFound(std::nullopt);
  return SelectFound(size_t(found - entries_.begin()));
}

bool FileList::SelectFound(std::optional<size_t> found) {
  current_ = found.value_or(0);
  return found.has_value();
}

size_t FileList::Select(size_t index) {
  current_ = index < entries_.size() ? index : 0;
  return current_;
}

void FileList::RemoveCurrent() {
  if (entries_.empty()) return;
  entries_.erase(entries_.begin() + std::ptrdiff_t(current_));
  if (current_ >= entries_.size()) current_ = 0;
}
