#include "codecs/jpeg_kept_exif.h"

#include <optional>

#include "codecs/exif.h"

namespace {

// Ends the walk at the first Exif block.
struct FirstExif final : JpegMarkerHandler {
  bool OnExif(const ExifSegment& exif) override {
    found = exif;
    return true;
  }
  std::optional<ExifSegment> found;
};

}  // namespace

bool FindFirstExifSegment(const uint8_t* file, size_t size, ExifSegment* exif) {
  if (!StartsWithJpegSoi(file, size)) return false;
  FirstExif finder;
  ScanJpegMarkers(file, size, &finder);
  if (finder.found) *exif = *finder.found;
  return finder.found.has_value();
}

bool ReadKeptExif(const uint8_t* file, size_t size, std::vector<uint8_t>* payload) {
  payload->clear();
  ExifSegment exif;
  if (!FindFirstExifSegment(file, size, &exif)) return false;
  const uint8_t* block = exif.segment.payload;
  payload->assign(block, block + exif.segment.payload_size);
  ResetExifOrientation(payload->data(), payload->size());
  return true;
}
