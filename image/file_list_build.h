// Building the file list from what a folder or an archive holds, and
// noticing on a rebuild whether the current file is still there and changed.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/file_list.h"
#include "image/folder_listing.h"
#include "image/path.h"

// The image files among a folder's items, in search order: the built-in
// patterns first, then the plug-ins' patterns in their order. Folders are
// never taken, a file at most once however many patterns it fits, and never
// more entries than the folder holds files.
std::vector<FileListEntry> CollectFolderImages(std::span<const FolderEntry> items,
                                               std::span<const std::u16string> plugin_patterns);

// The image members of an archive's member table (read elsewhere), in
// archive order: those with a built-in image extension first, then those
// fitting a plug-in pattern. Directory members have no name and drop out.
std::vector<FileListEntry> CollectArchiveImages(std::vector<FileListEntry> members,
                                                std::span<const std::u16string> plugin_patterns);

// What tells that a file changed.
struct FileStamp {
  FileTimeValue last_write{};
  uint64_t size = 0;
};

struct FolderRebuild {
  bool current_present = false;  // a file of the current name is still in the folder
  bool current_changed = false;  // present, and its stamp differs from the remembered one
  FileStamp current_stamp{};     // what it has now: the stamp to remember
};

// Reads the folder again and rebuilds the list in the given order with the
// current name's entry current (the first entry when it is gone). The list
// ends empty when the folder cannot be read or holds no image. The current
// file is looked for among all the folder's files, so one opened by its
// content under another extension is checked as well.
FolderRebuild RebuildFolderList(FileList* list, const PathString& folder,
                                std::u16string_view current_name, const FileStamp& remembered,
                                std::span<const std::u16string> plugin_patterns,
                                SortOrder order);
