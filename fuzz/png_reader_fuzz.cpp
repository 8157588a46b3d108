// PNG files come from anywhere: from disk, from inside archives, from other
// programs. No chunk sequence may make the reader touch memory outside what
// it was given; every refusal must say why with a reader's status and keep
// no pixels; the file, block and byte forms must agree.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/png_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reader_fuzz_checks.h"

namespace {

// Pixels the fuzzer may make the reader fill; larger claims are judged by
// their header alone.
constexpr uint64_t kMaxPixels = uint64_t{1} << 22;

bool IsReaderStatus(Status s) {
  switch (s) {
    case Status::kNoMemory: case Status::kUnsupported: case Status::kCorrupt:
    case Status::kInflateFailed: case Status::kPngBadChecksum: case Status::kPngBadLength:
    case Status::kPngBadHeaderLength: case Status::kPngHeaderNotFirst:
    case Status::kPngBadColourType: case Status::kPngBadBitDepth: case Status::kPngBadCompression:
    case Status::kPngBadFilter: case Status::kPngBadInterlace: case Status::kPngChunkOrder:
    case Status::kPngNoImageData: case Status::kPngBrokenImageData:
      return true;
    default:
      return false;
  }
}

// The reading settings vary with the input, so every path of gamma and
// blending meets hostile data.
DecodeSettings SettingsFor(const uint8_t* data, size_t size) {
  DecodeSettings s;
  const uint8_t pick = size ? data[size - 1] : 0;
  s.png.gamma_correction = pick & 1;
  s.png.composite_transparency = pick & 2;
  s.png.use_file_background = pick & 4;
  s.png.display_gamma = (pick & 8) ? 0 : 2200;
  s.png.background_colour = pick * 0x010101u;
  return s;
}

void RequireUsable(const ImageBuffer& image, const LoadResults& results, Status status) {
  if (!RequireReadOutcome(image, status, IsReaderStatus(status), kSourcePng)) return;
  Require(results.comment_count <= results.information_count, "comments are text chunks");
}

bool ClaimsHugeImage(const uint8_t* data, size_t size) {
  if (size < 24) return false;
  return uint64_t{LoadU32Be(data + 16)} * LoadU32Be(data + 20) > kMaxPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ClaimsHugeImage(data, size)) return 0;
  const DecodeSettings settings = SettingsFor(data, size);
  OwnedImage image;
  LoadResults results;
  const Status status = ReadPngBytes(data, size, settings, &image.record, &results);
  RequireUsable(image.record, results, status);
  CheckBlockForm(data, size, settings, ReadPng, image.record, status);
  CheckFileForm("png_reader_fuzz", kFormatPng, data, size, settings, image.record, status);
  return 0;
}
