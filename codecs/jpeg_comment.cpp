#include "codecs/jpeg_comment.h"

#include "codecs/big_endian.h"
#include "codecs/jpeg_markers.h"

namespace {

// Finds the first comment, and the place a new one takes when there is
// none: behind SOI and the application segments right after it, where
// readers expect the file's metadata.
class CommentFinder final : public JpegMarkerHandler {
 public:
  // The place starts right behind SOI, once the data are known to begin with one.
  void StartBehind(const uint8_t* soi) { place_ = soi + 2; }

  bool OnExif(const ExifSegment& exif) override { return Passed(exif.segment); }
  bool OnOtherSegment(const JpegSegment& segment) override { return Passed(segment); }
  bool OnComment(const JpegSegment& segment) override {
    comment_ = segment;
    found_ = true;
    return true;
  }

  bool found() const { return found_; }
  const JpegSegment& comment() const { return comment_; }
  const uint8_t* place() const { return place_; }

 private:
  bool Passed(const JpegSegment& segment) {
    const bool application = segment.code >= kJpegApp0 && segment.code <= kJpegApp15;
    if (application && in_application_run_)
      place_ = segment.next();
    else
      in_application_run_ = false;
    return false;
  }

  const uint8_t* place_ = nullptr;
  bool in_application_run_ = true;
  bool found_ = false;
  JpegSegment comment_;
};

Status FindComment(const uint8_t* data, size_t size, CommentFinder* finder) {
  if (!StartsWithJpegSoi(data, size)) return Status::kCorrupt;
  finder->StartBehind(data);
  return ScanJpegMarkers(data, size, finder).status;
}

Status PlanCommentEdit(const uint8_t* data, size_t size, bool store, CommentEdit* edit) {
  CommentFinder finder;
  if (Status s = FindComment(data, size, &finder); s != Status::kOk)
    return s == Status::kCorrupt ? s : Status::kCannotWrite;
  const bool found = finder.found();
  const uint8_t* cut = found ? finder.comment().start : finder.place();
  *edit = {data, cut, found ? finder.comment().next() : cut, data + size, found, store};
  return Status::kOk;
}

std::string CommentSegment(std::string_view text) {
  const std::string stored = StoredText(text, kJpegCommentLimit);  // lines end with a line feed
  uint8_t header[4] = {0xFF, kJpegCom};
  StoreU16Be(static_cast<uint16_t>(stored.size() + 2), header + 2);
  std::string segment(reinterpret_cast<const char*>(header), sizeof(header));
  segment.append(stored);
  return segment;
}

constexpr CommentFormat kJpegComment = {PlanCommentEdit, CommentSegment};

}  // namespace

Status ReadJpegCommentBytes(const uint8_t* data, size_t size, std::string* text) {
  text->clear();
  CommentFinder finder;
  if (Status s = FindComment(data, size, &finder); s != Status::kOk) return s;
  if (finder.found())
    *text =
        EditBoxText(finder.comment().payload, finder.comment().payload_size, kJpegCommentReadLimit);
  return Status::kOk;
}

Status ReadJpegComment(const PathChar* path, std::string* text) {
  return ReadCommentFromFile(ReadJpegCommentBytes, path, text);
}

int ReplaceJpegCommentBytes(const uint8_t* data, size_t size, std::string_view text, int* flag,
                            ByteSink* out, Status* why) {
  return ReplaceCommentBytes(kJpegComment, data, size, text, flag, out, why);
}

int ReplaceJpegComment(const PathChar* source, const PathChar* output, std::string_view text,
                       int* flag, Status* why) {
  return ReplaceCommentInFile(kJpegComment, source, output, text, flag, why);
}
