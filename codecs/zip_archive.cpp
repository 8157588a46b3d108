#include "codecs/zip_archive.h"

#include <string>

ZipStatus ZipArchive::Open(const PathChar* path) {
  listing_ = {};
  if (!file_.Open(path, MapMode::kReadOnly)) return ZipStatus::kCannotOpen;
  const ZipStatus status = ListZip(Bytes(), &listing_);
  if (status != ZipStatus::kOk) file_.Close();
  return status;
}

const FileListEntry* ZipArchive::FindMember(std::u16string_view path) const {
  FileListEntry wanted;
  SplitMemberPath(std::u16string(path), &wanted);
  for (const FileListEntry& member : listing_.members) {
    if (member.folder == wanted.folder && member.name == wanted.name) return &member;
  }
  return nullptr;
}
