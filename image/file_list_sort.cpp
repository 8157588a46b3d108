#include "image/file_list_sort.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "image/logical_compare.h"

namespace {

uint64_t Ticks(const FileTimeValue& time) { return uint64_t(time.high) << 32 | time.low; }

bool NameBefore(const FileListEntry& a, const FileListEntry& b) {
  // Top-level members first; members of one folder stay together.
  if (a.folder.empty() != b.folder.empty()) return a.folder.empty();
  if (!a.folder.empty()) {
    const int by_folder = LogicalCompare(a.folder, b.folder);
    if (by_folder != 0) return by_folder < 0;
  }
  return LogicalCompare(a.name, b.name) < 0;
}

bool DateBefore(const FileListEntry& a, const FileListEntry& b) {
  return Ticks(a.last_write) < Ticks(b.last_write);
}

bool SizeBefore(const FileListEntry& a, const FileListEntry& b) { return a.size < b.size; }

// Sorts positions rather than entries: moving an index is cheaper than moving
// two strings, and the followed entry is found again without comparing
// names. A merge sort never reads outside the range even if the system's
// comparison should not be a consistent order, which a quicksort's unguarded
// scans rely on.
template <typename Before>
std::vector<size_t> SortedPositions(const std::vector<FileListEntry>& entries, Before before) {
  std::vector<size_t> positions(entries.size());
  std::iota(positions.begin(), positions.end(), size_t{0});
  std::stable_sort(positions.begin(), positions.end(),
                   [&](size_t x, size_t y) { return before(entries[x], entries[y]); });
  return positions;
}

std::vector<size_t> SortedPositions(const std::vector<FileListEntry>& entries, SortOrder order) {
  switch (order) {
    case SortOrder::kDate:
      return SortedPositions(entries, DateBefore);
    case SortOrder::kSize:
      return SortedPositions(entries, SizeBefore);
    case SortOrder::kName:
      break;
  }
  // Unknown values from an edited settings file sort by name.
  return SortedPositions(entries, NameBefore);
}

}  // namespace

void SortEntries(std::vector<FileListEntry>* entries, SortOrder order, size_t* follow) {
  const std::vector<size_t> positions = SortedPositions(*entries, order);
  std::vector<FileListEntry> sorted;
  sorted.reserve(positions.size());
  size_t followed_to = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    if (follow && positions[i] == *follow) followed_to = i;
    sorted.push_back(std::move((*entries)[positions[i]]));
  }
  *entries = std::move(sorted);
  if (follow) *follow = followed_to;
}
