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
#include "fuzz/comment_fuzz_checks.h"
#include "fuzz/fuzz_check.h"
#include "tests/unit/png_test_support.h"

namespace {

// Images whose header claims more pixels are only walked, not decoded.
constexpr uint64_t kMaxPixels = uint64_t{1} << 20;

// A removed chunk takes at least its length, type, CRC and keyword along.
constexpr FuzzedCommentFormat kPng = {ReadPngCommentBytes, ReplacePngCommentBytes, kPngCommentLimit, 20};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string shown;
  const Status status = CheckCommentRead(kPng, data, size, &shown);
  DecodedPng before;
  const bool decode = status == Status::kOk && DecodeWorthwhile(data, size);
  if (decode) Decode(Bytes(data, data + size), &before);
  MemorySink stored, removed;
  int flag = 0;
  if (CheckCommentStore(kPng, data, size, status, &stored, &flag) && decode) {
    RequireSameImage(before, stored.bytes(), flag == kCommentAdded ? 1 : 0, true);
  }
  // Removing a chunk can join image data the chunk had split, so a broken
  // image may become whole; a whole one must stay the same.
  if (CheckCommentRemove(kPng, data, size, status, shown, &removed) && decode) {
    RequireSameImage(before, removed.bytes(), -1, false);
  }
  return 0;
}
