// A ZIP archive is whatever file the user opens under that extension, so
// its directory and its members meet every kind of damage. Listing and
// extracting every listed member must stay inside the bytes given, take no
// more memory than the data can stand for, and keep the promises the file
// list and the decoders rely on.
#include <cstddef>
#include <cstdint>
#include <set>

#include "codecs/zip_directory.h"
#include "codecs/zip_member.h"
#include "fuzz/fuzz_check.h"

namespace {

void RequireListingShape(const ZipListing& listing, ZipStatus status) {
  if (status != ZipStatus::kOk) {
    Require(listing.members.empty(), "a failed listing lists nothing");
    return;
  }
  Require(!listing.members.empty(), "a listing lists at least one member");
  for (const FileListEntry& member : listing.members) {
    Require(member.folder.size() + member.name.size() <= 260, "a member path is at most 260 units");
    Require(member.name.find(u'\\') == std::u16string::npos && member.name.find(u'/') == std::u16string::npos,
            "a member name holds no slash");
    Require(member.folder.find(u'/') == std::u16string::npos, "a folder uses backslashes only");
  }
}

void RequireExtraction(ArchiveBytes archive, const FileListEntry& member) {
  ZipExtracted out;
  const ZipStatus status = ExtractZip(archive, member.key, &out);
  if (status != ZipStatus::kOk) {
    Require(!out.block && out.size == 0, "a failed extraction hands over no block");
    return;
  }
  // Keys come from the directory unchecked; only extraction looks at them.
  Require(size_t{member.key} + 30 <= archive.size(), "an extracted member's local header lies inside the archive");
  Require(out.block && out.block.size() >= size_t{out.size} + 4, "a member block has 4 bytes to spare");
  Require(out.size <= kZipMemberLimit, "a member stays within the member limit");
  Require(out.size <= LongestInflation(archive.size()), "a member is no larger than its data can inflate to");
  for (int i = 0; i < 4; ++i) Require(out.block.data()[out.size + i] == 0, "the spare bytes are zero");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ArchiveBytes archive(data, size);
  ZipListing listing;
  const ZipStatus status = ListZip(archive, &listing);
  RequireListingShape(listing, status);
  std::set<uint32_t> extracted;
  for (const FileListEntry& member : listing.members) {
    // Many entries may share one local header; once shows what it holds.
    if (extracted.insert(member.key).second) RequireExtraction(archive, member);
  }
  return 0;
}
