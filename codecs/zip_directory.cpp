#include "codecs/zip_directory.h"

#include <algorithm>

#include "app/little_endian.h"
#include "image/code_page_text.h"
#include "image/dos_time.h"
#include "image/utf8_text.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr size_t kEndRecordBytes = 22;
constexpr size_t kCentralHeaderBytes = 46;
// The end record followed by the longest comment its 16-bit length allows.
constexpr size_t kEndSearchBytes = kEndRecordBytes + 0xFFFF;

// Searches backwards, so that the hit is the record nearest the end: a
// comment may itself hold the four signature bytes further up.
std::optional<size_t> SearchEndRecord(ArchiveBytes archive) {
  if (archive.size() < kEndRecordBytes) return std::nullopt;
  const size_t last = archive.size() - kEndRecordBytes;
  if (LoadU32(&archive[last]) == kEndSignature) return last;
  const size_t first = archive.size() > kEndSearchBytes ? archive.size() - kEndSearchBytes : 0;
  for (size_t at = last; at-- > first;) {
    if (archive[at] == 'P' && LoadU32(&archive[at]) == kEndSignature) return at;
  }
  return std::nullopt;
}

FileListEntry MemberOf(const ZipCentralEntry& entry) {
  FileListEntry member;
  SplitZipName(entry, &member);
  member.key = entry.local_offset;
  member.size = entry.sizes.uncompressed;
  DosTimeToUtc(entry.dos_date, entry.dos_time, &member.last_write);
  return member;
}

}  // namespace

std::optional<ZipEndRecord> FindZipEndRecord(ArchiveBytes archive) {
  const std::optional<size_t> at = SearchEndRecord(archive);
  if (!at) return std::nullopt;
  const uint8_t* record = &archive[*at];
  return ZipEndRecord{LoadU16(record + 8), LoadU32(record + 16)};
}

std::optional<ZipCentralEntry> ReadZipCentralEntry(ArchiveBytes archive, size_t offset, size_t* next) {
  if (offset > archive.size() || archive.size() - offset < kCentralHeaderBytes) return std::nullopt;
  const uint8_t* h = &archive[offset];
  if (LoadU32(h) != kCentralSignature) return std::nullopt;
  const size_t name_bytes = LoadU16(h + 28);
  const size_t skipped_bytes = size_t{LoadU16(h + 30)} + LoadU16(h + 32);
  // The 16-bit lengths cannot overflow; the name must lie inside the archive.
  if (archive.size() - offset - kCentralHeaderBytes < name_bytes) return std::nullopt;
  ZipCentralEntry entry;
  entry.flags = LoadU16(h + 8);
  entry.method = LoadU16(h + 10);
  entry.dos_time = LoadU16(h + 12);
  entry.dos_date = LoadU16(h + 14);
  entry.sizes = {LoadU32(h + 16), LoadU32(h + 20), LoadU32(h + 24)};
  entry.local_offset = LoadU32(h + 42);
  entry.name = {reinterpret_cast<const char*>(h + kCentralHeaderBytes),
                std::min(name_bytes, kZipLongestName)};
  *next = offset + kCentralHeaderBytes + name_bytes + skipped_bytes;
  return entry;
}

void SplitMemberPath(std::u16string path, FileListEntry* member) {
  std::replace(path.begin(), path.end(), u'/', u'\\');
  const size_t split = path.rfind(u'\\');
  if (split == std::u16string::npos) {
    member->folder.clear();
    member->name = std::move(path);
  } else if (split + 1 == path.size()) {
    member->name.clear();
    member->folder = std::move(path);
  } else {
    member->name = path.substr(split + 1);
    path.resize(split);
    member->folder = std::move(path);
  }
}

void SplitZipName(const ZipCentralEntry& entry, FileListEntry* member) {
  SplitMemberPath(entry.flags & kZipFlagUtf8 ? Utf16FromUtf8(entry.name) : Utf16FromAnsi(entry.name),
                  member);
}

ZipStatus ListZip(ArchiveBytes archive, ZipListing* listing) {
  listing->members.clear();
  listing->skipped = 0;
  const ZipStatus walked = WalkZipDirectory(archive, [&](const ZipCentralEntry& entry) {
    if (entry.method == kZipStored || entry.method == kZipDeflated) {
      listing->members.push_back(MemberOf(entry));
    } else {
      ++listing->skipped;
    }
    return true;
  });
  if (walked != ZipStatus::kOk || listing->members.empty()) {
    listing->members.clear();
    return ZipStatus::kNotAnArchive;
  }
  return ZipStatus::kOk;
}

std::optional<ZipCentralEntry> FindZipEntry(ArchiveBytes archive, uint32_t local_offset) {
  std::optional<ZipCentralEntry> found;
  WalkZipDirectory(archive, [&](const ZipCentralEntry& entry) {
    if (entry.local_offset == local_offset) found = entry;
    return !found;
  });
  return found;
}
