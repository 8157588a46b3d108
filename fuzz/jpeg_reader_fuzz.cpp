// JPEG files come from cameras, from the web and from inside archives. No
// byte sequence may make the reader or the marker walk behind it touch
// memory outside what it was given, or make the library ask for memory
// without bound; every refusal says why with a reader's status, keeps no
// pixels and at most 200 characters of the library's text; what loads is an
// image the viewer can show; the file, block and byte forms agree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/jpeg_library.h"
#include "codecs/jpeg_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reader_fuzz_checks.h"

namespace {

// Pixels the fuzzer may make the reader fill; larger frames are left to
// the unit tests, which check that the limits refuse them.
constexpr uint64_t kMaxPixels = uint64_t{1} << 22;

bool IsReaderStatus(Status s) {
  return s == Status::kNoMemory || s == Status::kUnsupported || s == Status::kReadFailed ||
         s == Status::kCorrupt;
}

void RequireGreyRamp(const ImageBuffer& image) {
  for (int i = 0; i < 256; ++i) {
    const RgbQuad& e = image.palette[i];
    Require(e.blue == i && e.green == i && e.red == i && e.reserved == 0, "grey images have a grey ramp");
  }
}

void RequireUsable(const ImageBuffer& image, const LoadResults& results, Status status,
                   const std::string& text) {
  Require(text.size() <= kJpegErrorTextLimit, "the library's text is at most 200 characters");
  if (status != Status::kOk) {
    Require(image.pixels == nullptr, "a failed read leaves no pixels");
    Require(IsReaderStatus(status), "a failed read says why with a reader's status");
    return;
  }
  const DibHeader& h = image.header;
  Require(text.empty(), "a picture that loads carries no error text");
  Require(image.pixels != nullptr, "a decoded image has pixels");
  Require(h.width > 0 && h.height > 0, "both dimensions are positive");
  Require(h.bit_count == 8 || h.bit_count == 24, "only 8 or 24 bits are stored");
  Require(h.x_pels_per_meter >= 0 && h.y_pels_per_meter >= 0, "resolutions are not negative");
  Require(image.source_format == kSourceJpeg, "the source is JPEG");
  Require(image.source_bits_per_pixel == h.bit_count, "grey is 8 bits at the source, colour 24");
  if (h.bit_count == 8) RequireGreyRamp(image);
  Require(results.exif_orientation >= 1 && results.exif_orientation <= 8, "one of the eight orientations");
  Require(results.information_count == 0 || results.information_count == 1, "an Exif block or none");
  Require(results.comment_count >= 0, "comments are counted");
  Require(!results.transparency, "JPEG has no transparency");
}

bool SameResults(const LoadResults& a, const LoadResults& b) {
  return a.interlaced_or_progressive == b.interlaced_or_progressive &&
         a.information_count == b.information_count && a.comment_count == b.comment_count &&
         a.exif_orientation == b.exif_orientation;
}

void CheckBlockForm(const uint8_t* data, size_t size, const ImageBuffer& expected, const LoadResults& results,
                    Status expected_status, const std::string& text) {
  OwnedImage image;
  DecodeSource source;
  if (!DecodeBlockForm(data, size, {}, ReadJpeg, &image.record, &source)) return;
  CheckBlockImage(source, expected, expected_status);
  Require(source.error_text == text, "the block form gives the text of the bytes");
  if (expected_status == Status::kOk)
    Require(SameResults(source.results, results), "the block form gives the results of the bytes");
}

// The frame as the library itself reads it, so the size limit sees what the
// reader will see.
struct FrameProbe {
  jpeg_decompress_struct info{};
  JpegErrorManager errors;
  const uint8_t* data = nullptr;
  size_t size = 0;
};

void ProbeWork(void* context) {
  auto* p = static_cast<FrameProbe*>(context);
  jpeg_create_decompress(&p->info);
  UseJpegMemorySource(&p->info, p->data, p->size);
  jpeg_read_header(&p->info, TRUE);
}

bool ClaimsHugeImage(const uint8_t* data, size_t size) {
  FrameProbe probe;
  probe.data = data;
  probe.size = size;
  probe.info.err = UseJpegErrorManager(&probe.errors);
  const bool read = RunJpegGuarded(&probe.errors, ProbeWork, &probe);
  const uint64_t pixels = read ? uint64_t{probe.info.image_width} * probe.info.image_height : 0;
  jpeg_destroy_decompress(&probe.info);
  return pixels > kMaxPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ClaimsHugeImage(data, size)) return 0;
  OwnedImage image;
  LoadResults results;
  std::string text;
  const Status status = ReadJpegBytes(data, size, &image.record, &results, &text);
  RequireUsable(image.record, results, status, text);
  CheckBlockForm(data, size, image.record, results, status, text);
  CheckFileForm("jpeg_reader_fuzz", kFormatJpeg, data, size, {}, image.record, status);
  return 0;
}
