// The comment editor opens whatever PNG file the viewer shows, so its chunk
// walk meets every kind of damage. Reading must hand the edit box text it
// can take; replacing must find the same chunk the reader shows, never look
// outside the data, and leave the image and the chunk counts exactly as the
// editor then records them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "codecs/big_endian.h"
#include "codecs/memory_sink.h"
#include "codecs/png_comment.h"
#include "fuzz/fuzz_check.h"
#include "tests/unit/png_test_support.h"

namespace {

// Images whose header claims more pixels are only walked, not decoded.
constexpr uint64_t kMaxPixels = uint64_t{1} << 20;

// Stored as "new\nline" plus the escape; read back without the escape and
// with a carriage return before the line feed.
constexpr char kNewText[] = "new\r\nline\x1b";
constexpr char kNewTextRead[] = "new\r\nline";

void RequireEditBoxText(const std::string& text) {
  Require(text.size() <= kPngCommentLimit, "at most 4095 characters reach the edit box");
  for (size_t i = 0; i < text.size(); ++i) {
    Require(text[i] != 27, "escape characters are dropped");
    if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r', "every line feed follows a return");
  }
}

bool DecodeWorthwhile(const uint8_t* data, size_t size) {
  return size >= 24 && uint64_t{LoadU32Be(data + 16)} * LoadU32Be(data + 20) <= kMaxPixels;
}

bool SamePixels(const ImageBuffer& a, const ImageBuffer& b) {
  const uint64_t bytes = uint64_t{Stride(a)} * static_cast<uint64_t>(a.header.height);
  return std::memcmp(&a.header, &b.header, sizeof(a.header)) == 0 &&
         std::memcmp(a.palette, b.palette, sizeof(a.palette)) == 0 &&
         std::memcmp(a.pixels, b.pixels, bytes) == 0;
}

// What the editor records after a write: the counts move by the flag, and
// nothing else about the image changes.
void RequireSameImage(const DecodedPng& before, const std::vector<uint8_t>& after, int count_change,
                      bool status_must_hold) {
  DecodedPng now;
  Decode(after, &now);
  if (status_must_hold) Require(now.status == before.status, "a new comment never breaks an image");
  if (before.status != Status::kOk || now.status != Status::kOk) return;
  Require(SamePixels(before.image, now.image), "the image is the same after the comment changed");
  Require(now.results.comment_count == before.results.comment_count + count_change,
          "the comment count moves as the flag says");
  Require(now.results.information_count == before.results.information_count + count_change,
          "the text chunk count moves as the flag says");
}

void CheckStore(const uint8_t* data, size_t size, Status read_status, const DecodedPng* before) {
  MemorySink out;
  int flag = 1;
  const int result = ReplacePngCommentBytes(data, size, kNewText, &flag, &out);
  if (read_status != Status::kOk) {
    Require(result == kCommentWriteFailed && flag == kCommentNone && out.bytes().empty(),
            "a file the reader cannot walk is not written");
    return;
  }
  Require(result == kCommentWritten, "a file the reader walks takes a new comment");
  Require(flag == kCommentAdded || flag == kCommentReplaced, "the flag says added or replaced");
  std::string text;
  Require(ReadPngCommentBytes(out.bytes().data(), out.bytes().size(), &text) == Status::kOk,
          "the new file reads");
  Require(text == kNewTextRead, "the new comment is the one the reader finds");
  if (before) RequireSameImage(*before, out.bytes(), flag == kCommentAdded ? 1 : 0, true);
}

void CheckRemove(const uint8_t* data, size_t size, Status read_status, const std::string& shown,
                 const DecodedPng* before) {
  MemorySink out;
  int flag = 0;
  const int result = ReplacePngCommentBytes(data, size, "", &flag, &out);
  Require(flag == kCommentNone, "removing writes no new chunk");
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
  Require(out.bytes().size() + 20 <= size, "the old chunk and its keyword are gone");
  // Removing a chunk can join image data the chunk had split, so a broken
  // image may become whole; a whole one must stay the same.
  if (before) RequireSameImage(*before, out.bytes(), -1, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string shown;
  const Status status = ReadPngCommentBytes(data, size, &shown);
  Require(status == Status::kOk || status == Status::kCorrupt || status == Status::kReadFailed,
          "reading says why with a reading status");
  if (status != Status::kOk) Require(shown.empty(), "a failed read shows no text");
  RequireEditBoxText(shown);
  DecodedPng before;
  const bool decode = status == Status::kOk && DecodeWorthwhile(data, size);
  if (decode) Decode(Bytes(data, data + size), &before);
  CheckStore(data, size, status, decode ? &before : nullptr);
  CheckRemove(data, size, status, shown, decode ? &before : nullptr);
  return 0;
}
