#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "image/folder_listing.h"
#include "image/utf8_text.h"

namespace {

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Seconds from 1601-01-01, where file times count from, to 1970-01-01.
constexpr uint64_t kUnixEpochInFileTime = 11644473600ULL;

FileTimeValue FileTimeOf(const struct timespec& time) {
  const uint64_t ticks = (uint64_t(time.tv_sec) + kUnixEpochInFileTime) * 10000000ULL +
                         uint64_t(time.tv_nsec) / 100;
  return {uint32_t(ticks), uint32_t(ticks >> 32)};
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<FolderEntry>* items) {
  items->clear();
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  while (const dirent* entry = readdir(dir)) {
    if (IsDotEntry(entry->d_name)) continue;
    struct stat st;
    // Follows links as Windows follows its own; a dangling link or a name
    // that went away since the listing is left out.
    if (fstatat(dirfd(dir), entry->d_name, &st, 0) != 0) continue;
    const bool is_folder = S_ISDIR(st.st_mode);
    items->push_back({Utf16FromUtf8(entry->d_name), FileTimeOf(st.st_mtim),
                      is_folder ? 0 : uint64_t(st.st_size), is_folder});
  }
  closedir(dir);
  return true;
}
