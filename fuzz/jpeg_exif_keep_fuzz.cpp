// The one untrusted input of a JPEG save is the source file's Exif block:
// it is kept, given a new thumbnail, patched with the new pixel size and
// written; after a lossless turn the thumbnail is replaced in the file. None may look outside the bytes; a
// replacement either leaves the file exactly as it was or gives it a
// thumbnail that IFD1 names with its true length.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codecs/exif.h"
#include "codecs/jpeg_kept_exif.h"
#include "codecs/jpeg_thumbnail.h"
#include "codecs/jpeg_writer.h"
#include "codecs/memory_sink.h"
#include "fuzz/fuzz_check.h"
#include "image/image_buffer.h"

namespace {

constexpr int32_t kWidth = 12, kHeight = 7;

const ImageBuffer& SmallImage() {
  static OwnedImage image;
  if (!image.record.pixels) {
    Require(AllocatePixels(&image.record, kWidth, kHeight, 24) == Status::kOk, "a tiny image fits");
    for (int32_t y = 0; y < kHeight; ++y) {
      uint8_t* row = RowFromBottom(image.record, y);
      for (int32_t i = 0; i < 3 * kWidth; ++i) row[i] = static_cast<uint8_t>(i * 19 + y * 41);
    }
  }
  return image.record;
}

void CheckReplacement(std::vector<uint8_t>* file) {
  const std::vector<uint8_t> before = *file;
  JpegWriteContext settings;
  settings.quality = 60;
  if (!ReplaceExifThumbnail(file, SmallImage(), settings)) {
    Require(*file == before, "a failed replacement leaves the bytes as they were");
    return;
  }
  ExifSegment exif;
  Require(FindFirstExifSegment(file->data(), file->size(), &exif), "the Exif block is still first");
  const uint8_t* block = exif.segment.payload;
  uint32_t offset = 0, length = 0;
  Require(FindExifThumbnail(block, exif.segment.payload_size, &offset, &length),
          "IFD1 names the new thumbnail");
  Require(size_t{kExifTiffStart} + offset + length == exif.segment.payload_size,
          "the thumbnail ends the block");
  const uint8_t* thumbnail = block + kExifTiffStart + offset;
  Require(length >= 4 && thumbnail[0] == 0xFF && thumbnail[1] == 0xD8 &&
              thumbnail[length - 2] == 0xFF && thumbnail[length - 1] == 0xD9,
          "the thumbnail is a whole JPEG stream");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> as_saved(data, data + size);
  CheckReplacement(&as_saved);

  JpegWriteContext context;
  if (!ReadKeptExif(data, size, &context.exif)) {
    Require(context.exif.empty(), "no block is kept from a file without one");
    return 0;
  }
  Require(context.exif.size() <= 65533, "a kept block fits one APP1 segment");
  std::vector<uint8_t> refreshed = context.exif;
  if (!ReplaceExifBlockThumbnail(&refreshed, SmallImage(), context))
    Require(refreshed == context.exif, "a failed replacement leaves the block as it was");
  else
    Require(refreshed.size() <= 65533, "a block with its new thumbnail still fits one segment");
  std::vector<uint8_t> patched = context.exif;
  SetExifPixelSize(patched.data(), patched.size(), kWidth, kHeight);
  Require(patched.size() == context.exif.size(), "patching keeps the block's size");
  MemorySink saved;
  std::string text;
  Require(WriteJpeg(SmallImage(), context, &saved, &text) == Status::kOk, "any kept block is written");
  std::vector<uint8_t> file = saved.bytes();
  ExifSegment written;
  Require(FindFirstExifSegment(file.data(), file.size(), &written) &&
              std::vector<uint8_t>(written.segment.payload, written.segment.next()) == patched,
          "the written block is the kept one with the new pixel size");
  CheckReplacement(&file);
  return 0;
}
