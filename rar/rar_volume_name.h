// Which file of a RAR volume set a listing starts from. Only the first
// volume of a set holds the start of its first member, so a later volume of
// the new naming scheme (name.partN.rar) is exchanged for name.part1.rar;
// old-scheme sets (name.rar, name.r00 ...) and single archives stay as
// they are. Works on the program's UTF-16 strings of either kind.
#pragma once

#include <cstdint>

#include "image/path_parts.h"
#include "rar/rar_archive_flags.h"

// `archive_flags` as the library reports them for `path`.
template <typename String>
String FirstVolumePath(const String& path, uint32_t archive_flags) {
  if (!(archive_flags & ROADF_VOLUME) || !(archive_flags & ROADF_NEWNUMBERING) ||
      (archive_flags & ROADF_FIRSTVOLUME)) {
    return path;
  }
  // Dots are searched in the name only: a folder may have dots of its own.
  const size_t separator = LastPathSeparator(path);
  const size_t name_start = separator == String::npos ? 0 : separator + 1;
  String first = path;
  for (int suffix = 0; suffix < 2; ++suffix) {  // the extension, then the part number
    const size_t dot = first.rfind('.');
    if (dot != String::npos && dot >= name_start) first.resize(dot);
  }
  const typename String::value_type part1[] = {'.', 'p', 'a', 'r', 't', '1', '.', 'r', 'a', 'r', 0};
  return first.append(part1);
}
