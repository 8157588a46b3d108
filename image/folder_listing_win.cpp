#include <windows.h>

#include "image/folder_listing.h"

namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

FolderEntry ItemFrom(const WIN32_FIND_DATAW& found) {
  const std::wstring_view name = found.cFileName;
  const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return {std::u16string(reinterpret_cast<const char16_t*>(name.data()), name.size()),
          {found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime},
          is_folder ? 0 : uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow, is_folder};
}

}  // namespace

bool ListFolder(const std::wstring& folder, std::vector<FolderEntry>* items) {
  items->clear();
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  // The basic information leaves out the short names, which we never use,
  // and the large fetch reads big folders in fewer trips to the file system.
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  // Only the root of an empty drive has no entry at all, not even ".".
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (!IsDotEntry(found.cFileName)) items->push_back(ItemFrom(found));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}
