// Entries and readable names for the file-list tests.
#pragma once

#include <string>
#include <vector>

#include "image/file_list.h"

inline FileListEntry FileEntry(std::u16string name, uint64_t size = 0, uint64_t ticks = 0) {
  return {std::move(name), {}, 0, {uint32_t(ticks), uint32_t(ticks >> 32)}, size};
}

inline FileListEntry MemberEntry(std::u16string folder, std::u16string name, uint32_t key) {
  return {std::move(name), std::move(folder), key, {}, 0};
}

// Test names are ASCII; narrowing them keeps failure messages readable.
inline std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

// "folder\name" for members, "name" for files.
inline std::vector<std::string> Names(const std::vector<FileListEntry>& entries) {
  std::vector<std::string> names;
  for (const FileListEntry& e : entries) {
    names.push_back(e.folder.empty() ? Narrow(e.name) : Narrow(e.folder) + "\\" + Narrow(e.name));
  }
  return names;
}
