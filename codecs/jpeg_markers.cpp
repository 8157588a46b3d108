#include "codecs/jpeg_markers.h"

#include <cstring>

#include "app/little_endian.h"
#include "codecs/big_endian.h"

namespace {

constexpr uint8_t kExifSignature[kExifTiffStart] = {'E', 'x', 'i', 'f', 0, 0};
// "Exif", two zero bytes, the byte order, 42 and the IFD0 offset.
constexpr size_t kExifHeaderBytes = kExifTiffStart + 8;

// A block too short for its TIFF header has nothing to read: it is passed
// on as an ordinary segment.
bool ReadExifSegment(const JpegSegment& segment, ExifSegment* exif) {
  if (segment.code != kJpegApp1 || segment.payload_size < kExifHeaderBytes ||
      std::memcmp(segment.payload, kExifSignature, kExifTiffStart) != 0)
    return false;
  const uint8_t* tiff = segment.payload + kExifTiffStart;
  exif->segment = segment;
  exif->little_endian = tiff[0] == 'I' && tiff[1] == 'I';
  exif->ifd0_offset = exif->little_endian ? LoadU32(tiff + 4) : LoadU32Be(tiff + 4);
  return true;
}

class Walk {
 public:
  Walk(const uint8_t* data, size_t size, JpegMarkerHandler* handler)
      : at_(data), data_(data), end_(data + size), handler_(handler) {}

  JpegMarkerScan Run() {
    while (const uint8_t* marker = NextMarker()) {
      const uint8_t code = marker[1];
      at_ = marker + 2;
      if (code == kJpegSoi) continue;
      if (code == kJpegEoi || code == kJpegSos) {
        scan_.stop = marker;
        return scan_;
      }
      JpegSegment segment;
      if (!SegmentAt(marker, &segment)) {
        scan_.status = Status::kReadFailed;
        scan_.stop = end_;
        return scan_;
      }
      at_ = segment.next();
      if (Handle(segment)) {
        scan_.stop = at_;
        return scan_;
      }
    }
    scan_.stop = end_;
    return scan_;
  }

 private:
  // The 0xFF before the next marker code, fill bytes skipped; null at the
  // end of the data.
  const uint8_t* NextMarker() {
    while (at_ < end_ && *at_ != 0xFF) ++at_;
    while (end_ - at_ >= 2 && at_[1] == 0xFF) ++at_;
    return end_ - at_ >= 2 ? at_ : nullptr;
  }

  bool SegmentAt(const uint8_t* marker, JpegSegment* segment) const {
    if (end_ - marker < 4) return false;
    const uint16_t length = LoadU16Be(marker + 2);
    if (length < 2 || static_cast<size_t>(end_ - (marker + 2)) < length) return false;
    *segment = {marker[1], marker, marker + 4, static_cast<size_t>(length - 2)};
    return true;
  }

  bool Handle(const JpegSegment& segment) {
    ExifSegment exif;
    if (ReadExifSegment(segment, &exif)) {
      if (!scan_.exif_found) {
        scan_.exif_found = true;
        scan_.exif_start = static_cast<size_t>(segment.payload - data_);
        scan_.exif_length = segment.payload_size;
      }
      return handler_ && handler_->OnExif(exif);
    }
    if (segment.code == kJpegCom) return handler_ && handler_->OnComment(segment);
    return handler_ && handler_->OnOtherSegment(segment);
  }

  const uint8_t* at_;
  const uint8_t* const data_;
  const uint8_t* const end_;
  JpegMarkerHandler* const handler_;
  JpegMarkerScan scan_;
};

}  // namespace

bool StartsWithJpegSoi(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 0xFF && data[1] == kJpegSoi;
}

JpegMarkerScan ScanJpegMarkers(const uint8_t* data, size_t size, JpegMarkerHandler* handler) {
  return Walk(data, size, handler).Run();
}
