// BMP files come from anywhere, and clipboard bitmaps from any program.
// Neither may make the reader touch memory outside what it was given; a
// decoded image must be one the rest of the viewer can use; and writing it
// back at any depth must read back as promised.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/dib_decode.h"
#include "codecs/memory_sink.h"
#include "codecs/packed_dib.h"
#include "fuzz/fuzz_check.h"

namespace {

// Round trips cost time in proportion to the pixels; larger images only
// have their decoding checked.
constexpr int64_t kRoundTripPixels = 1 << 14;

uint32_t Colour(const ImageBuffer& image, int32_t x, int32_t y) {
  const uint8_t* row = RowFromBottom(image, y);
  if (image.header.bit_count == 8) {
    const RgbQuad& c = image.palette[row[x]];
    return uint32_t{c.red} << 16 | c.green << 8 | c.blue;
  }
  return uint32_t{row[3 * x + 2]} << 16 | row[3 * x + 1] << 8 | row[3 * x];
}

// A header may claim any size; only rows the data holds may cost memory.
void RequireBackedByData(const ImageBuffer& image, size_t size) {
  const uint64_t rows = DibSourceStride(image.header.width, int(image.source_bits_per_pixel)) *
                        static_cast<uint64_t>(image.header.height);
  Require(rows <= size, "a decoded image's rows lie inside the data it came from");
}

void RequireUsable(const ImageBuffer& image, Status status) {
  if (status != Status::kOk) {
    Require(image.pixels == nullptr, "a failed read leaves no pixels");
    Require(status == Status::kUnsupported || status == Status::kReadFailed ||
                status == Status::kNoMemory,
            "a failed read says why with a reader's status");
    return;
  }
  const DibHeader& h = image.header;
  Require(image.pixels != nullptr, "a decoded image has pixels");
  Require(h.size == 40 && h.planes == 1 && h.compression == 0, "the header is a plain one");
  Require(h.width > 0 && h.height > 0, "both dimensions are positive");
  Require(h.bit_count == 8 || h.bit_count == 24, "only 8 or 24 bits are stored");
  Require(h.x_pels_per_meter >= 0 && h.y_pels_per_meter >= 0, "resolutions are not negative");
  Require(image.source_format == kSourceBmp, "the source is BMP");
}

std::set<uint32_t> Colours(const ImageBuffer& image) {
  std::set<uint32_t> colours;
  for (int32_t y = 0; y < image.header.height; ++y) {
    for (int32_t x = 0; x < image.header.width; ++x) colours.insert(Colour(image, x, y));
  }
  return colours;
}

// Written at its own depth, or at a depth with room for all its colours,
// an image reads back with every pixel's colour unchanged.
void RequireRoundTrip(const ImageBuffer& image, int bits, bool dither) {
  MemorySink sink;
  Require(WriteBmp(image, bits, dither, &sink) == Status::kOk, "a decoded image can be written");
  ImageBuffer back{};
  Require(ReadBmpBytes(sink.bytes().data(), sink.bytes().size(), &back) == Status::kOk,
          "what was written reads back");
  Require(back.header.width == image.header.width && back.header.height == image.header.height,
          "the size survives");
  const size_t colours = Colours(image).size();
  if (bits == image.header.bit_count || (bits >= 4 && colours <= (size_t{1} << bits))) {
    for (int32_t y = 0; y < image.header.height; ++y) {
      for (int32_t x = 0; x < image.header.width; ++x) {
        Require(Colour(back, x, y) == Colour(image, x, y), "a colour that fits is kept");
      }
    }
  }
  if (bits == 1) {
    for (uint32_t c : Colours(back)) Require(c == 0 || c == 0xFFFFFF, "1 bit is black and white");
  }
  ReleasePixels(&back);
}

void CheckDecoded(const uint8_t* data, size_t size, bool packed) {
  ImageBuffer image{};
  const Status status =
      packed ? ReadPackedDib(data, size, &image) : ReadBmpBytes(data, size, &image);
  RequireUsable(image, status);
  if (status == Status::kOk) RequireBackedByData(image, size);
  if (status == Status::kOk &&
      int64_t{image.header.width} * image.header.height <= kRoundTripPixels) {
    static const int kDepths[4] = {1, 4, 8, 24};
    RequireRoundTrip(image, image.header.bit_count, false);
    RequireRoundTrip(image, kDepths[size % 4], (size & 4) != 0);
  }
  ReleasePixels(&image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckDecoded(data, size, false);
  // The same bytes without their file header, as the clipboard gives them.
  if (size > 14) CheckDecoded(data + 14, size - 14, true);
  return 0;
}
