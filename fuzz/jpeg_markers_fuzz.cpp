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
#include "fuzz/fuzz_check.h"

namespace {

constexpr char kNewText[] = "new\r\nline\x1b";
constexpr char kNewTextRead[] = "new\r\nline";

// Patches a copy of every Exif block the walk meets.
class ExifChecker final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& exif) override {
    const JpegSegment& s = exif.segment;
    std::vector<uint8_t> block(s.payload, s.next());
    const uint16_t orientation = ReadExifOrientation(block.data(), block.size());
    Require(orientation == 1 || orientation == 3 || orientation == 6 || orientation == 8,
            "only the turns the viewer undoes are read");
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

void RequireEditBoxText(const std::string& text) {
  Require(text.size() <= kJpegCommentReadLimit, "at most 4094 characters reach the edit box");
  for (size_t i = 0; i < text.size(); ++i) {
    Require(text[i] != 27, "escape characters are dropped");
    if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r', "every line feed follows a return");
  }
}

void CheckStore(const uint8_t* data, size_t size, Status read_status) {
  MemorySink out;
  int flag = 1;
  const int result = ReplaceJpegCommentBytes(data, size, kNewText, &flag, &out);
  if (read_status != Status::kOk) {
    Require(result == kCommentWriteFailed && flag == kCommentNone && out.bytes().empty(),
            "a file the reader cannot walk is not written");
    return;
  }
  Require(result == kCommentWritten, "a file the reader walks takes a new comment");
  Require(flag == kCommentAdded || flag == kCommentReplaced, "the flag says added or replaced");
  std::string text;
  Require(ReadJpegCommentBytes(out.bytes().data(), out.bytes().size(), &text) == Status::kOk,
          "the new file reads");
  Require(text == kNewTextRead, "the new comment is the one the reader finds");
}

void CheckRemove(const uint8_t* data, size_t size, Status read_status, const std::string& shown) {
  MemorySink out;
  int flag = 0;
  const int result = ReplaceJpegCommentBytes(data, size, "", &flag, &out);
  Require(flag == kCommentNone, "removing writes no new segment");
  if (read_status != Status::kOk) {
    Require(result == kCommentWriteFailed && out.bytes().empty(),
            "a file the reader cannot walk is not written");
    return;
  }
  if (!shown.empty())
    Require(result == kCommentWritten, "a comment the reader shows can be removed");
  if (result == kCommentNothingToDo) {
    Require(out.bytes().empty(), "nothing to do writes nothing");
    return;
  }
  Require(result == kCommentWritten, "removing from a file the reader walks never fails");
  Require(out.bytes().size() + 4 <= size, "the old segment and its header are gone");
}

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
  const Status status = ReadJpegCommentBytes(data, size, &shown);
  Require(status == Status::kOk || status == Status::kCorrupt || status == Status::kReadFailed,
          "reading says why with a reading status");
  if (status != Status::kOk) Require(shown.empty(), "a failed read shows no text");
  RequireEditBoxText(shown);
  CheckStore(data, size, status);
  CheckRemove(data, size, status, shown);
  return 0;
}
