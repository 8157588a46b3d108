// A path's folder and name, split at its last separator. Windows accepts
// both slashes, so both count; works on the program's UTF-16 strings of
// either kind (std::wstring on Windows, std::u16string in the core).
#pragma once

#include <cstddef>

template <typename String>
size_t LastPathSeparator(const String& path) {
  const typename String::value_type separators[] = {'\\', '/', 0};
  return path.find_last_of(separators);
}

// The folder without its trailing separator; empty for a bare name.
template <typename String>
String FolderOfPath(const String& path) {
  size_t slash = LastPathSeparator(path);
  return slash == String::npos ? String() : path.substr(0, slash);
}

template <typename String>
String NameOfPath(const String& path) {
  size_t slash = LastPathSeparator(path);
  return slash == String::npos ? path : path.substr(slash + 1);
}
