// The marker walk meets every JPEG file the viewer opens, and the Exif
// keeper and the comment editor work on what it finds. None may look
// outside the data; the Exif patches work on a copy of the block and keep
// the block's size; the comment editor finds the same segment the reader
// shows and hands the edit box text it can take.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codecs/exif.h"
#include "codecs/jpeg_comment.h"
#include "codecs/jpeg_markers.h"
#include "codecs/memory_sink.h"
#include "fuzz/comment_fuzz_checks.h"
#include "fuzz/fuzz_check.h"

namespace {

// Patches a copy of every Exif block the walk meets.
class ExifChecker final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& exif) override {
    const JpegSegment& s = exif.segment;
    std::vector<uint8_t> block(s.payload, s.next());
    const uint16_t orientation = ReadExifOrientation(block.data(), block.size());
    Require(orientation >= 1 && orientation <= 8, "only the eight Exif orientations are read");
    if (ResetExifOrientation(block.data(), block.size()))
      Require(ReadExifOrientation(block.data(), block.size()) == 1, "a reset orientation reads 1");
    const std::vector<uint8_t> before = block;
    if (!SetExifPixelSize(block.data(), block.size(), 0x12345678, 7))
      Require(block == before, "a block that takes no pixel size is unchanged");
    Require(block.size() == s.payload_size, "patching keeps the block's size");
    uint32_t offset = 0, length = 0;
    if (FindExifThumbnail(block.data(), block.size(), &offset, &length))
      Require(offset <= block.size() - kExifTiffStart &&
                  length <= block.size() - kExifTiffStart - offset,
              "the thumbnail lies inside the block");
    return false;
  }
};

constexpr FuzzedCommentFormat kJpeg = {ReadJpegCommentBytes, ReplaceJpegCommentBytes, kJpegCommentReadLimit, 4};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExifChecker exif;
  const JpegMarkerScan scan = ScanJpegMarkers(data, size, &exif);
  Require(scan.status == Status::kOk || scan.status == Status::kReadFailed,
          "the walk fails only with a read error");
  Require(scan.stop >= data && scan.stop <= data + size, "the walk stops inside the data");
  if (scan.exif_found)
    Require(scan.exif_start <= size && scan.exif_length <= size - scan.exif_start,
            "the Exif block lies inside the data");
  std::string shown;
  const Status status = CheckCommentRead(kJpeg, data, size, &shown);
  MemorySink stored, removed;
  int flag = 0;
  CheckCommentStore(kJpeg, data, size, status, &stored, &flag);
  CheckCommentRemove(kJpeg, data, size, status, shown, &removed);
  return 0;
}
