// The listing side of a ZIP archive: the end record, found by a backward
// search past an archive comment, and the central directory it points to.
// Works on the archive's bytes as one block (a mapped file), checking every
// size and offset against the block before use. No ZIP64, no multi-disk
// archives: the end record's counts and offsets are taken as they stand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "codecs/zip_status.h"
#include "image/file_list.h"

using ArchiveBytes = std::span<const uint8_t>;

constexpr uint16_t kZipStored = 0;
constexpr uint16_t kZipDeflated = 8;
// General purpose flags: sizes and CRC follow the data in a descriptor, and
// the name is UTF-8 rather than the ANSI code page.
constexpr uint16_t kZipFlagDataDescriptor = 1 << 3;
constexpr uint16_t kZipFlagUtf8 = 1 << 11;
// Bytes of a stored name that are read; longer names are cut.
constexpr size_t kZipLongestName = 259;

// What both a local header and a central directory entry say of the data
// (the local header only when the sizes do not follow the data).
struct ZipSizes {
  uint32_t crc = 0;
  uint32_t compressed = 0;
  uint32_t uncompressed = 0;
};

// One central directory header as stored.
struct ZipCentralEntry {
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t dos_time = 0;
  uint16_t dos_date = 0;
  ZipSizes sizes;
  uint32_t local_offset = 0;
  std::string_view name;  // the stored bytes, inside the archive
};

// Calls visit(entry) for each central directory entry in order until it
// returns false. kNotAnArchive when there is no end record or the walk meets
// a header that is cut short or lacks its signature.
template <typename Visit>
ZipStatus WalkZipDirectory(ArchiveBytes archive, Visit visit);

struct ZipListing {
  std::vector<FileListEntry> members;  // methods 0 and 8, in archive order
  uint32_t skipped = 0;                // members of other methods
};

// kNotAnArchive also when no member is of a method we read.
ZipStatus ListZip(ArchiveBytes archive, ZipListing* listing);

// The entry whose local header is at `local_offset`, if the directory has one.
std::optional<ZipCentralEntry> FindZipEntry(ArchiveBytes archive, uint32_t local_offset);

// A member path with "/" or "\" between its parts, split at the last one
// into folder and name, with "\" between the folder's parts; a path ending
// in a slash (a folder entry) is all folder.
void SplitMemberPath(std::u16string path, FileListEntry* member);
// The stored name, converted from UTF-8 or the ANSI code page as its flag
// says, split as above.
void SplitZipName(const ZipCentralEntry& entry, FileListEntry* member);

// Where the central directory starts and how many entries it has, from the
// end record; nothing when there is none.
struct ZipEndRecord {
  uint16_t entry_count = 0;
  uint32_t directory_offset = 0;
};
std::optional<ZipEndRecord> FindZipEndRecord(ArchiveBytes archive);

// One header at `offset`, or nothing when it is cut short or not a central
// header; *next is where the following one starts.
std::optional<ZipCentralEntry> ReadZipCentralEntry(ArchiveBytes archive, size_t offset, size_t* next);

template <typename Visit>
ZipStatus WalkZipDirectory(ArchiveBytes archive, Visit visit) {
  const std::optional<ZipEndRecord> end = FindZipEndRecord(archive);
  if (!end) return ZipStatus::kNotAnArchive;
  size_t offset = end->directory_offset;
  for (uint32_t i = 0; i < end->entry_count; ++i) {
    const std::optional<ZipCentralEntry> entry = ReadZipCentralEntry(archive, offset, &offset);
    if (!entry) return ZipStatus::kNotAnArchive;
    if (!visit(*entry)) break;
  }
  return ZipStatus::kOk;
}
