// What a folder holds, read from the system's directory listing in one pass.
// Names cross over as UTF-16 whatever the system uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/path.h"
#include "image/win_records.h"

struct FolderEntry {
  std::u16string name;
  FileTimeValue last_write{};
  uint64_t size = 0;  // bytes; 0 for folders
  bool is_folder = false;
};

// Every entry of the folder but "." and "..", in the order the system gives
// them. An empty folder path means the working folder. False when the folder
// cannot be read; items is then empty.
bool ListFolder(const PathString& folder, std::vector<FolderEntry>* items);
