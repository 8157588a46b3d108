#include "image/rar_source_win.h"

#include <cwchar>
#include <iterator>

#include "codecs/zip_directory.h"
#include "codecs/zip_member.h"
#include "image/dos_time.h"
#include "image/rar_operation_win.h"
#include "rar/rar_volume_name.h"

namespace {

// Members are handed to the decoders whole, as ZIP members are.
constexpr uint32_t kRarMemberLimit = kZipMemberLimit;
// Zero bytes after the data, for decoders that read a little ahead.
constexpr uint32_t kBlockSlack = 4;

RarArchive Open(RarOperation* op, const std::wstring& path, unsigned mode) {
  return RarArchive(op->library.functions(), path, mode, RarCallback, reinterpret_cast<LPARAM>(op));
}

// The first volume when `path` names a later one of a new-scheme set.
bool ListingPath(RarOperation* op, const std::wstring& path, std::wstring* listed) {
  const RarArchive archive = Open(op, path, RAR_OM_LIST);
  if (!archive) return false;
  *listed = FirstVolumePath(path, archive.flags());
  return true;
}

// The next header, skipped; false at the end or on any error.
bool SkipNext(const RarArchive& archive, RARHeaderDataEx* header, int* result) {
  *result = archive.ReadHeader(header);
  if (*result != ERAR_SUCCESS) return false;
  *result = archive.Process(RAR_SKIP);
  return *result == ERAR_SUCCESS;
}

bool CountMembers(RarOperation* op, const std::wstring& path, uint32_t* count) {
  const RarArchive archive = Open(op, path, RAR_OM_LIST);
  if (!archive) return false;
  RARHeaderDataEx header{};
  int result = ERAR_SUCCESS;
  for (*count = 0; SkipNext(archive, &header, &result); ++*count) {
  }
  return result == ERAR_END_ARCHIVE;
}

FileListEntry MemberOf(const RARHeaderDataEx& header, uint32_t position) {
  FileListEntry member;
  const wchar_t* name = header.FileNameW;
  SplitMemberPath(std::u16string(name, name + wcsnlen(name, std::size(header.FileNameW))), &member);
  member.key = position;
  member.size = header.UnpSize;
  DosTimeToUtc(static_cast<uint16_t>(header.FileTime >> 16), static_cast<uint16_t>(header.FileTime),
               &member.last_write);
  return member;
}

bool ReadMembers(RarOperation* op, const std::wstring& path, uint32_t count,
                 std::vector<FileListEntry>* members) {
  const RarArchive archive = Open(op, path, RAR_OM_LIST);
  if (!archive) return false;
  members->reserve(count);
  RARHeaderDataEx header{};
  int result = ERAR_SUCCESS;
  for (uint32_t position = 0; position < count; ++position) {
    if (!SkipNext(archive, &header, &result)) return false;
    members->push_back(MemberOf(header, position));
  }
  return true;
}

bool LastWriteOf(const std::wstring& path, FileTimeValue* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  *time = {data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime};
  return true;
}

bool TestInto(RarOperation* op, const RarArchive& archive, const RARHeaderDataEx& header, PageBlock* block,
              uint32_t* size) {
  if (header.UnpSizeHigh != 0 || header.UnpSize > kRarMemberLimit) return false;
  PageBlock output(size_t{header.UnpSize} + kBlockSlack);
  if (!output) return false;
  // Only now: a solid archive may hand over the data of skipped members.
  op->extract = true;
  op->out_start = op->out_at = output.data();
  op->out_end = output.data() + header.UnpSize;
  if (archive.Process(RAR_TEST) != ERAR_SUCCESS) return false;
  *size = static_cast<uint32_t>(op->out_at - op->out_start);
  *block = std::move(output);
  return true;
}

}  // namespace

bool RarAvailable(const RarPlaces& places) { return static_cast<bool>(UnrarLibrary(places.plugin_folder)); }

bool ListRar(const RarPlaces& places, const std::wstring& path, RarListing* listing) {
  RarOperation op(places.owner, places.plugin_folder);
  if (!op.library) return false;
  std::wstring listed;
  uint32_t count = 0;
  RarListing read;
  if (!ListingPath(&op, path, &listed) || !CountMembers(&op, listed, &count) ||
      !ReadMembers(&op, listed, count, &read.members) || !LastWriteOf(path, &read.last_write)) {
    return false;
  }
  *listing = std::move(read);
  return true;
}

bool ExtractRar(const RarPlaces& places, const std::wstring& path, uint32_t key, PageBlock* block,
                uint32_t* size) {
  RarOperation op(places.owner, places.plugin_folder);
  if (!op.library) return false;
  // Keys count members from the first volume, as the listing does.
  std::wstring listed;
  if (!ListingPath(&op, path, &listed)) return false;
  const RarArchive archive = Open(&op, listed, RAR_OM_EXTRACT);
  if (!archive) return false;
  RARHeaderDataEx header{};
  int result = ERAR_SUCCESS;
  for (uint32_t skipped = 0; skipped < key; ++skipped) {
    if (!SkipNext(archive, &header, &result)) return false;
  }
  if (archive.ReadHeader(&header) != ERAR_SUCCESS) return false;
  return TestInto(&op, archive, header, block, size);
}
