#include "codecs/jpeg_thumbnail.h"

#include <cmath>

#include "codecs/big_endian.h"
#include "codecs/exif.h"
#include "codecs/jpeg_kept_exif.h"
#include "effects/area_downscale.h"
#include "image/image_buffer.h"

namespace {

// An APP1 payload's limit (65535 less the length field) less "Exif" and its
// two zero bytes: the room for the TIFF data, thumbnail included.
constexpr uint32_t kTiffDataRoom = 65533 - kExifTiffStart;

bool EncodeThumbnail(const ImageBuffer& image, const JpegWriteContext& settings, size_t limit,
                     MemorySink* thumbnail) {
  int32_t width = 0, height = 0;
  ExifThumbnailSize(image.header.width, image.header.height, &width, &height);
  OwnedImage small;
  if (ScaleByAreaAverage(image, width, height, &small.record) != Status::kOk) return false;
  JpegWriteContext plain = settings;
  plain.exif.clear();
  plain.comment.clear();
  return WriteJpegWithinLimit(small.record, plain, limit, thumbnail, nullptr) == Status::kOk &&
         thumbnail->bytes().size() <= limit;
}

// The Exif block up to the thumbnail, then the new one, with its length.
bool RebuildBlock(const uint8_t* block, size_t size, uint32_t offset,
                  const std::vector<uint8_t>& thumbnail, std::vector<uint8_t>* rebuilt) {
  std::vector<uint8_t> patched(block, block + size);
  const uint32_t length = static_cast<uint32_t>(thumbnail.size());
  if (!SetExifThumbnailLength(patched.data(), patched.size(), length)) return false;
  rebuilt->assign(patched.begin(), patched.begin() + kExifTiffStart + offset);
  rebuilt->insert(rebuilt->end(), thumbnail.begin(), thumbnail.end());
  // IFD1 must still lie before the thumbnail and say what was written.
  uint32_t new_offset = 0, new_length = 0;
  return FindExifThumbnail(rebuilt->data(), rebuilt->size(), &new_offset, &new_length) &&
         new_offset == offset && new_length == length;
}

}  // namespace

void ExifThumbnailSize(int32_t width, int32_t height, int32_t* thumbnail_width,
                       int32_t* thumbnail_height) {
  const bool wide = width >= height;
  const double longer = wide ? width : height, shorter = wide ? height : width;
  const int32_t other = longer > 0 ? static_cast<int32_t>(std::lround(kExifThumbnailSide * shorter / longer)) : 1;
  const int32_t side = other < 1 ? 1 : other;
  *thumbnail_width = wide ? kExifThumbnailSide : side;
  *thumbnail_height = wide ? side : kExifThumbnailSide;
}

bool ReplaceExifThumbnail(std::vector<uint8_t>* file, const ImageBuffer& image,
                          const JpegWriteContext& settings) {
  ExifSegment exif;
  if (!FindFirstExifSegment(file->data(), file->size(), &exif)) return false;
  const uint8_t* block = exif.segment.payload;
  const size_t size = exif.segment.payload_size;
  uint32_t offset = 0, old_length = 0;
  if (!FindExifThumbnail(block, size, &offset, &old_length) || offset >= kTiffDataRoom)
    return false;
  MemorySink thumbnail;
  if (!EncodeThumbnail(image, settings, kTiffDataRoom - offset, &thumbnail)) return false;
  std::vector<uint8_t> rebuilt_block;
  if (!RebuildBlock(block, size, offset, thumbnail.bytes(), &rebuilt_block)) return false;

  const size_t before = static_cast<size_t>(exif.segment.start - file->data());
  const size_t after = static_cast<size_t>(exif.segment.next() - file->data());
  std::vector<uint8_t> rebuilt(file->begin(), file->begin() + before);
  uint8_t header[4] = {0xFF, kJpegApp1};
  StoreU16Be(static_cast<uint16_t>(rebuilt_block.size() + 2), header + 2);
  rebuilt.insert(rebuilt.end(), header, header + sizeof(header));
  rebuilt.insert(rebuilt.end(), rebuilt_block.begin(), rebuilt_block.end());
  rebuilt.insert(rebuilt.end(), file->begin() + after, file->end());
  file->swap(rebuilt);
  return true;
}

bool ReplaceExifBlockThumbnail(std::vector<uint8_t>* block, const ImageBuffer& image,
                               const JpegWriteContext& settings) {
  constexpr size_t kLongestPayload = 65533;
  if (block->size() > kLongestPayload) return false;
  // A file of SOI and the one APP1 segment is all the replacement looks at.
  std::vector<uint8_t> file = {0xFF, kJpegSoi, 0xFF, kJpegApp1, 0, 0};
  StoreU16Be(static_cast<uint16_t>(block->size() + 2), file.data() + 4);
  file.insert(file.end(), block->begin(), block->end());
  if (!ReplaceExifThumbnail(&file, image, settings)) return false;
  block->assign(file.begin() + 6, file.end());
  return true;
}
