#include "codecs/zip_member.h"

#include <zlib.h>

#include <algorithm>
#include <utility>

#include "app/little_endian.h"

namespace {

constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kLocalHeaderBytes = 30;

// Method, sizes and CRC of a member, from its local header or, when they
// follow the data, from its central directory entry; and where its data starts.
struct MemberLayout {
  uint16_t method = 0;
  ZipSizes sizes;
  size_t data_offset = 0;
};

ZipStatus ReadLayout(ArchiveBytes archive, uint32_t key, MemberLayout* layout) {
  if (key > archive.size() || archive.size() - key < kLocalHeaderBytes) return ZipStatus::kNoMember;
  const uint8_t* h = &archive[key];
  if (LoadU32(h) != kLocalSignature) return ZipStatus::kNoMember;
  const size_t data_offset = size_t{key} + kLocalHeaderBytes + LoadU16(h + 26) + LoadU16(h + 28);
  if (data_offset > archive.size()) return ZipStatus::kTruncated;
  layout->method = LoadU16(h + 8);
  layout->data_offset = data_offset;
  if (LoadU16(h + 6) & kZipFlagDataDescriptor) {
    const std::optional<ZipCentralEntry> entry = FindZipEntry(archive, key);
    if (!entry) return ZipStatus::kNoMember;
    layout->sizes = entry->sizes;
  } else {
    layout->sizes = {LoadU32(h + 14), LoadU32(h + 18), LoadU32(h + 22)};
  }
  return ZipStatus::kOk;
}

// The sizes must fit the file and the limit before any memory is taken: a
// hostile header may claim gigabytes for a few bytes of data.
ZipStatus CheckSizes(ArchiveBytes archive, const MemberLayout& layout) {
  const size_t available = archive.size() - layout.data_offset;
  if (layout.sizes.uncompressed > kZipMemberLimit) return ZipStatus::kTooLarge;
  if (layout.method == kZipStored) {
    return layout.sizes.uncompressed > available ? ZipStatus::kTruncated : ZipStatus::kOk;
  }
  if (layout.sizes.compressed > available) return ZipStatus::kTruncated;
  if (layout.sizes.uncompressed > LongestInflation(layout.sizes.compressed)) return ZipStatus::kTooLarge;
  return ZipStatus::kOk;
}

ZipStatus Inflate(const uint8_t* data, uint32_t compressed, uint8_t* out, uint32_t size) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return ZipStatus::kNoMemory;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = compressed;
  stream.next_out = out;
  stream.avail_out = size;
  const int result = inflate(&stream, Z_FINISH);
  const bool whole = (result == Z_STREAM_END || result == Z_OK) && stream.total_out == size;
  inflateEnd(&stream);
  return whole ? ZipStatus::kOk : ZipStatus::kInflateFailed;
}

}  // namespace

ZipStatus ExtractZip(ArchiveBytes archive, uint32_t key, ZipExtracted* out) {
  out->block.Reset();
  out->size = 0;
  MemberLayout layout;
  ZipStatus status = ReadLayout(archive, key, &layout);
  if (status != ZipStatus::kOk) return status;
  if (layout.method != kZipStored && layout.method != kZipDeflated) return ZipStatus::kUnsupportedMethod;
  if ((status = CheckSizes(archive, layout)) != ZipStatus::kOk) return status;
  // Four zero bytes past the end, as every member block has.
  PageBlock block(size_t{layout.sizes.uncompressed} + 4);
  if (!block) return ZipStatus::kNoMemory;
  const uint8_t* data = archive.data() + layout.data_offset;
  if (layout.method == kZipStored) {
    std::copy(data, data + layout.sizes.uncompressed, block.data());
  } else if ((status = Inflate(data, layout.sizes.compressed, block.data(), layout.sizes.uncompressed)) !=
             ZipStatus::kOk) {
    return status;
  }
  if (crc32(0, block.data(), layout.sizes.uncompressed) != layout.sizes.crc) return ZipStatus::kBadCrc;
  out->block = std::move(block);
  out->size = layout.sizes.uncompressed;
  return ZipStatus::kOk;
}
