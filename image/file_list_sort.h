// The three orders of the file list: by name (archive members at the top
// level first, then folder by folder), by last-write time, by size.
#pragma once

#include <cstddef>
#include <vector>

#include "image/file_list.h"

// Sorts the entries. When follow is given it holds an index into the entries
// and is moved to where that entry ends up.
void SortEntries(std::vector<FileListEntry>* entries, SortOrder order, size_t* follow);
