// TIFF files come from anywhere, and their directories point anywhere in
// them. No entry, offset or count may make the reader touch memory outside
// what it was given or allocate more than the data can back; every refusal
// must say why and keep no pixels; the byte and block forms must agree.
#include <cstddef>
#include <cstdint>

#include "codecs/tiff_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reader_fuzz_checks.h"

namespace {

bool IsReaderStatus(Status s) {
  return s == Status::kNoMemory || s == Status::kUnsupported || s == Status::kCorrupt ||
         s == Status::kReadFailed;
}

bool IsSourceDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 48; }

// Every source row is packed in the data, so the rows read cannot claim
// more bytes than the file has.
void RequireBackedByData(const ImageBuffer& image, size_t size) {
  const uint64_t row = (uint64_t(image.header.width) * image.source_bits_per_pixel + 7) / 8;
  Require(row * uint64_t(image.header.height) <= size, "the rows read lie inside the data");
}

void RequireUsable(const ImageBuffer& image, Status status, size_t size) {
  if (!RequireReadOutcome(image, status, IsReaderStatus(status), kSourceTiff)) return;
  Require(IsSourceDepth(image.source_bits_per_pixel), "the source depth is one the reader shows");
  Require((image.source_bits_per_pixel >= 24) == (image.header.bit_count == 24),
          "RGB becomes 24 bits and the rest 8");
  RequireBackedByData(image, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OwnedImage image;
  LoadResults results;
  const Status status = ReadTiffBytes(data, size, &image.record, &results);
  RequireUsable(image.record, status, size);
  Require(results.comment_count == 0 || results.comment_count == 1, "a description is one comment");
  CheckBlockForm(data, size, DecodeSettings{}, ReadTiff, image.record, status);
  return 0;
}
