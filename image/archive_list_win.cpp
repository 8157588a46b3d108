#include "image/archive_list_win.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/wide_text.h"
#include "codecs/zip_archive.h"
#include "image/ascii_case.h"
#include "image/file_list_build.h"
#include "image/folder_watch_win.h"
#include "image/plugin_host_win.h"
#include "image/plugin_places_win.h"
#include "image/rar_source_win.h"
#include "view/file_list_window_win.h"

namespace {

ApplicationState& A() { return App(); }

struct MemberTable {
  SourceKind kind = SourceKind::kFile;
  std::vector<FileListEntry> members;
  FileTimeValue last_write{};
};

bool HasExtension(const std::wstring& path, std::u16string_view extension) {
  const std::u16string text = ToU16(path);
  return text.size() > extension.size() &&
         EqualIgnoringAsciiCase(std::u16string_view(text).substr(text.size() - extension.size()),
                                extension);
}

RarPlaces Places() { return {OwnerWindow(), CurrentPluginPlaces().folder}; }

bool ReadZip(const std::wstring& path, MemberTable* table) {
  ZipArchive zip;
  if (zip.Open(path.c_str()) != ZipStatus::kOk) return false;
  *table = {SourceKind::kZip, zip.Members(), zip.last_write_time()};
  return true;
}

bool ReadRar(const std::wstring& path, MemberTable* table) {
  RarListing listing;
  if (!ListRar(Places(), path, &listing)) return false;
  *table = {SourceKind::kRar, std::move(listing.members), listing.last_write};
  return true;
}

bool ReadPluginArchive(const std::wstring& path, MemberTable* table) {
  PluginArchiveListing listing;
  if (!ListPluginArchive(CurrentPluginPlaces(), path, &listing)) return false;
  *table = {SourceKind::kPluginArchive, std::move(listing.members), listing.last_write};
  return true;
}

// Archives of other kinds, and ZIP or RAR files we cannot read, are the
// archive plug-ins' to list.
bool ReadMemberTable(const std::wstring& path, MemberTable* table) {
  if (HasExtension(path, u".zip") && ReadZip(path, table)) return true;
  if (HasExtension(path, u".rar") && ReadRar(path, table)) return true;
  return ReadPluginArchive(path, table);
}

std::vector<FileListEntry> ArchiveImages(std::vector<FileListEntry> members) {
  return CollectArchiveImages(std::move(members), CurrentPluginPatterns(false));
}

bool SameTime(const FileTimeValue& a, const FileTimeValue& b) {
  return a.low == b.low && a.high == b.high;
}

bool ReadLastWrite(const std::wstring& path, FileTimeValue* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  *time = {data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime};
  return true;
}

// Keys are where a member lies in the archive, which a rewrite moves; the
// member is found again by its path.
std::optional<uint32_t> KeyOfMember(const std::vector<FileListEntry>& entries,
                                    const FileListEntry* member) {
  if (!member) return std::nullopt;
  for (const FileListEntry& entry : entries) {
    if (entry.folder == member->folder && entry.name == member->name) return entry.key;
  }
  return std::nullopt;
}

}  // namespace

bool BuildArchiveList(const std::wstring& path, std::optional<uint32_t> key) {
  ApplicationState& app = A();
  StopWatchingFolder();
  app.file_list.Clear();
  app.document.source_kind = SourceKind::kFile;
  MemberTable table;
  if (ReadMemberTable(path, &table)) {
    app.document.source_kind = table.kind;
    app.document.last_write = table.last_write;
    app.file_list.AssignArchive(ArchiveImages(std::move(table.members)),
                                static_cast<SortOrder>(app.settings.file_list_order), key);
  }
  RefreshFileListWindow();
  return !app.file_list.empty();
}

bool IsCurrentArchive(const std::wstring& path) {
  const DocumentState& d = A().document;
  return d.source_kind != SourceKind::kFile && !A().file_list.empty() &&
         EqualIgnoringAsciiCase(ToU16(path), ToU16(d.path));
}

bool ExtractArchiveMember(const FileListEntry& entry, PageBlock* block, uint32_t* size) {
  const DocumentState& d = A().document;
  if (d.source_kind == SourceKind::kZip) {
    ZipArchive zip;
    ZipExtracted out;
    if (zip.Open(d.path.c_str()) != ZipStatus::kOk || zip.Extract(entry.key, &out) != ZipStatus::kOk)
      return false;
    *block = std::move(out.block);
    *size = out.size;
    return true;
  }
  if (d.source_kind == SourceKind::kRar) return ExtractRar(Places(), d.path, entry.key, block, size);
  if (d.source_kind == SourceKind::kPluginArchive)
    return ExtractPluginMember(CurrentPluginPlaces(), d.path, entry.key, block, size);
  return false;
}

void CheckArchiveForChange() {
  ApplicationState& app = A();
  DocumentState& d = app.document;
  if (d.source_kind == SourceKind::kFile || d.path.empty()) return;
  FileTimeValue now{};
  if (!ReadLastWrite(d.path, &now) || SameTime(now, d.last_write)) return;
  // A failed read leaves the old list in place, and the time it was built
  // from, so that the next activation tries again.
  MemberTable table;
  if (!ReadMemberTable(d.path, &table)) return;
  d.last_write = table.last_write;
  std::vector<FileListEntry> images = ArchiveImages(std::move(table.members));
  const std::optional<uint32_t> key = KeyOfMember(images, app.file_list.CurrentEntry());
  app.file_list.AssignArchive(std::move(images), static_cast<SortOrder>(app.settings.file_list_order),
                              key);
  RefreshFileListWindow();
}
