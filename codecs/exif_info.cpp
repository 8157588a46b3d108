#include "codecs/exif_info.h"

#include <algorithm>

#include "codecs/exif_fields.h"
#include "codecs/exif_items.h"
#include "codecs/jpeg_markers.h"

namespace {

constexpr char kExifSignature[kExifTiffStart] = {'E', 'x', 'i', 'f', 0, 0};

// Stops the walk at the first Exif block, which is the one the reader
// reports.
class FirstExif final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& exif) override {
    block_ = exif.segment;
    return true;
  }
  const JpegSegment& block() const { return block_; }

 private:
  JpegSegment block_;
};

bool IsBareBlock(const uint8_t* data, size_t size) {
  return size >= kExifTiffStart && std::equal(data, data + kExifTiffStart, kExifSignature);
}

}  // namespace

bool ReadExifInfo(const uint8_t* data, size_t size, const ExifStrings& strings, ExifInfo* out) {
  *out = ExifInfo{};
  const uint8_t* block = data;
  size_t block_size = size;
  if (!IsBareBlock(data, size)) {
    if (!StartsWithJpegSoi(data, size)) return false;
    FirstExif first;
    if (!ScanJpegMarkers(data, size, &first).exif_found) return false;
    block = first.block().payload;
    block_size = first.block().payload_size;
  }
  const ExifTiff tiff(block, block_size);
  if (!tiff.present()) return false;
  FormatExifItems(ExifFields(tiff), strings, out);
  return true;
}
