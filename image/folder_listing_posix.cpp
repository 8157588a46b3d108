#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <string_view>

#include "image/folder_listing.h"

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

// Length of the UTF-8 sequence a lead byte starts, 0 for a byte that cannot
// start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The code point of a well-formed sequence at text[pos] and its length, or
// length 0 for a malformed one (cut short, overlong, a surrogate, too large).
size_t ReadSequence(std::string_view text, size_t pos, char32_t* code) {
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const size_t length = SequenceLength(static_cast<unsigned char>(text[pos]));
  if (length == 0 || pos + length > text.size()) return 0;
  *code = static_cast<unsigned char>(text[pos]);
  if (length == 1) return 1;
  *code &= 0x7F >> length;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    *code = *code << 6 | (next & 0x3F);
  }
  const bool valid = *code >= kSmallest[length] && *code <= 0x10FFFF &&
                     !(*code >= 0xD800 && *code <= 0xDFFF);
  return valid ? length : 0;
}

// A malformed byte becomes U+FFFD, so every name converts.
std::u16string Utf16From(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const size_t length = ReadSequence(text, pos, &code);
    if (length == 0) code = 0xFFFD;
    pos += length ? length : 1;
    if (code < 0x10000) {
      out.push_back(char16_t(code));
    } else {
      out.push_back(char16_t(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
  return out;
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
    items->push_back({Utf16From(entry->d_name), FileTimeOf(st.st_mtim),
                      is_folder ? 0 : uint64_t(st.st_size), is_folder});
  }
  closedir(dir);
  return true;
}
