#include "codecs/jpeg_kept_exif.h"

#include "codecs/exif.h"

namespace {

class FirstExif final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& exif) override {
    exif_ = exif;
    found_ = true;
    return true;
  }
  bool found() const { return found_; }
  const ExifSegment& exif() const { return exif_; }

 private:
  ExifSegment exif_;
  bool found_ = false;
};

}  // namespace

bool FindFirstExifSegment(const uint8_t* file, size_t size, ExifSegment* exif) {
  if (!StartsWithJpegSoi(file, size)) return false;
  FirstExif finder;
  ScanJpegMarkers(file, size, &finder);
  if (finder.found()) *exif = finder.exif();
  return finder.found();
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
