// A ZIP archive on disk, mapped whole while it is open: its member table
// and the extraction of one member into page memory. The viewer opens it
// afresh for each listing and each extraction, so a changed archive is
// always read as it is now.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "codecs/zip_directory.h"
#include "codecs/zip_member.h"
#include "image/file_access.h"
#include "image/path.h"

class ZipArchive {
 public:
  // Maps the file and reads its member table. kCannotOpen when the file
  // cannot be mapped, kNotAnArchive when it holds no member we can read.
  ZipStatus Open(const PathChar* path);

  // Members of methods 0 and 8 in archive order; key is the local header
  // offset that Extract takes.
  const std::vector<FileListEntry>& Members() const { return listing_.members; }
  // Members of other methods, left out of Members().
  uint32_t skipped() const { return listing_.skipped; }
  FileTimeValue last_write_time() const { return file_.last_write_time(); }

  ZipStatus Extract(uint32_t key, ZipExtracted* out) const {
    return ExtractZip(Bytes(), key, out);
  }
  // The member at "folder/name" (either slash), or nullptr.
  const FileListEntry* FindMember(std::u16string_view path) const;

 private:
  ArchiveBytes Bytes() const { return {file_.data(), file_.size()}; }

  MappedFile file_;
  ZipListing listing_;
};
