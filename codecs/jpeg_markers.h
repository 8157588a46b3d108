// The walk over a JPEG file's marker segments up to its image data, shared by
// the reader (Exif orientation, comment count), the Exif keeper and the
// comment editor. It only looks at bytes inside the data it is given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/status.h"

constexpr uint8_t kJpegSoi = 0xD8;
constexpr uint8_t kJpegEoi = 0xD9;
constexpr uint8_t kJpegSos = 0xDA;
constexpr uint8_t kJpegApp0 = 0xE0;
constexpr uint8_t kJpegApp1 = 0xE1;
constexpr uint8_t kJpegApp15 = 0xEF;
constexpr uint8_t kJpegCom = 0xFE;

// Offset of the TIFF header in an Exif block ("Exif", two zero bytes).
constexpr size_t kExifTiffStart = 6;

// One segment with a length field: from its 0xFF to the byte after it.
struct JpegSegment {
  uint8_t code = 0;
  const uint8_t* start = nullptr;    // the 0xFF of the marker
  const uint8_t* payload = nullptr;  // behind the length field
  size_t payload_size = 0;
  const uint8_t* next() const { return payload + payload_size; }
};

// An APP1 segment holding Exif data; the block is the payload from "Exif" on.
struct ExifSegment {
  JpegSegment segment;
  bool little_endian = false;
  uint32_t ifd0_offset = 0;  // from the TIFF header, as the file says
};

// What the walk calls; each handler returns true to end the walk there.
class JpegMarkerHandler {
 public:
  virtual bool OnExif(const ExifSegment&) { return false; }
  virtual bool OnComment(const JpegSegment&) { return false; }
  // Every other segment with a length, Exif-less APP1 segments included.
  virtual bool OnOtherSegment(const JpegSegment&) { return false; }

 protected:
  ~JpegMarkerHandler() = default;
};

struct JpegMarkerScan {
  Status status = Status::kOk;  // kReadFailed for a broken segment
  bool exif_found = false;      // about the first Exif block met
  size_t exif_start = 0;        // offset of its "Exif"
  size_t exif_length = 0;
  const uint8_t* stop = nullptr;  // the 0xFF of SOS or EOI, else the end of the data
};

// True when the data begin with SOI, as every JPEG file does.
bool StartsWithJpegSoi(const uint8_t* data, size_t size);

// Walks the markers from the start of the data until SOS, EOI, a handler
// that ends it, a broken segment or the end of the data.
JpegMarkerScan ScanJpegMarkers(const uint8_t* data, size_t size, JpegMarkerHandler* handler);
