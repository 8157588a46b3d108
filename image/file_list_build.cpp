#include "image/file_list_build.h"

#include <algorithm>
#include <utility>

#include "image/ascii_case.h"
#include "image/image_name_patterns.h"

namespace {

// The folder is searched pattern by pattern, as the patterns' order decides
// which files make the list when it fills up. The capacity is the number of
// files: once every file is taken the remaining patterns are not tried, which
// in a folder of photographs ends the search after the first pattern.
class FolderSearch {
 public:
  explicit FolderSearch(std::span<const FolderEntry> items) : items_(items), taken_(items.size()) {
    capacity_ = size_t(std::count_if(items.begin(), items.end(),
                                     [](const FolderEntry& item) { return !item.is_folder; }));
    found_.reserve(capacity_);
  }

  // Takes the files that fit the pattern and are not yet taken. False once
  // the list is full.
  bool Search(std::u16string_view pattern_text) {
    const NamePattern pattern(pattern_text);
    for (size_t i = 0; i < items_.size() && found_.size() < capacity_; ++i) {
      const FolderEntry& item = items_[i];
      if (item.is_folder || taken_[i] || !pattern.Fits(item.name)) continue;
      taken_[i] = true;
      found_.push_back({item.name, {}, 0, item.last_write, item.size});
    }
    return found_.size() < capacity_;
  }

  std::vector<FileListEntry> Take() { return std::move(found_); }

 private:
  std::span<const FolderEntry> items_;
  std::vector<bool> taken_;
  size_t capacity_ = 0;
  std::vector<FileListEntry> found_;
};

template <typename Patterns>
bool SearchEach(FolderSearch* search, const Patterns& patterns) {
  for (const auto& pattern : patterns) {
    if (!search->Search(pattern)) return false;
  }
  return true;
}

bool SameStamp(const FileStamp& a, const FileStamp& b) {
  return a.size == b.size && a.last_write.low == b.last_write.low &&
         a.last_write.high == b.last_write.high;
}

FolderRebuild CheckCurrent(const std::vector<FolderEntry>& items, std::u16string_view current_name,
                           const FileStamp& remembered) {
  FolderRebuild result;
  if (current_name.empty()) return result;
  // A folder's name reads as empty, which no current name equals.
  const auto found = FindByName(items, current_name, [](const FolderEntry& item) {
    return item.is_folder ? std::u16string_view{} : std::u16string_view(item.name);
  });
  if (!found) return result;
  result.current_present = true;
  result.current_stamp = {items[*found].last_write, items[*found].size};
  result.current_changed = !SameStamp(result.current_stamp, remembered);
  return result;
}

}  // namespace

std::vector<FileListEntry> CollectFolderImages(std::span<const FolderEntry> items,
                                               std::span<const std::u16string> plugin_patterns) {
  FolderSearch search(items);
  if (SearchEach(&search, kBuiltInImagePatterns)) SearchEach(&search, plugin_patterns);
  return search.Take();
}

std::vector<FileListEntry> CollectArchiveImages(std::vector<FileListEntry> members,
                                                std::span<const std::u16string> plugin_patterns) {
  std::vector<FileListEntry> images;
  std::vector<bool> taken(members.size());
  for (size_t i = 0; i < members.size(); ++i) {
    if (!IsBuiltInImageName(members[i].name)) continue;
    taken[i] = true;
    images.push_back(std::move(members[i]));
  }
  for (size_t i = 0; i < members.size(); ++i) {
    if (taken[i] || !FitsAnyPattern(members[i].name, plugin_patterns)) continue;
    images.push_back(std::move(members[i]));
  }
  return images;
}

FolderRebuild RebuildFolderList(FileList* list, const PathString& folder,
                                std::u16string_view current_name, const FileStamp& remembered,
                                std::span<const std::u16string> plugin_patterns,
                                SortOrder order) {
  std::vector<FolderEntry> items;
  ListFolder(folder, &items);  // an unreadable folder leaves no items and so an empty list
  list->AssignFolder(CollectFolderImages(items, plugin_patterns), order, current_name);
  return CheckCurrent(items, current_name, remembered);
}
