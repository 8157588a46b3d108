// Whatever image and GIF options come in, the writer makes a file whose
// layout holds together and whose image data our LZW decoder takes back to
// exactly width x height indices, ending at the end code; an 8-bit image
// written at 8 bits keeps its colours. The input's first bytes choose the
// image and options, the rest are its palette and pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "codecs/gif_lzw.h"
#include "codecs/gif_writer.h"
#include "codecs/memory_sink.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzzed_image.h"
#include "image/image_buffer.h"
#include "tests/unit/bmp_test_support.h"

namespace {

constexpr size_t kOptionBytes = 6;

GifWriteContext ContextOf(const uint8_t* o) {
  GifWriteContext c;
  c.bits = o[3] % 8 + 1;
  c.interlace = o[3] & 0x10;
  c.transparency = o[3] & 0x20;
  c.dither = o[3] & 0x40;
  c.transparent_colour = uint32_t(o[4]) * 0x010203u ^ uint32_t(o[5]) << 16;
  return c;
}

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | uint32_t(b[at + 1]) << 8; }

// The picture row that stream row k holds.
uint32_t PictureRow(uint32_t k, uint32_t height, bool interlace) {
  if (!interlace) return k;
  const uint32_t start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const uint32_t rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
    if (k < rows) return start[pass] + k * step[pass];
    k -= rows;
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Short inputs repeat, so that long strings and full tables come up.
  FuzzedImage source;
  if (!source.FillFromInput(data, size, kOptionBytes)) return 0;
  const int width = source.image.header.width, height = source.image.header.height;
  const int bits = source.image.header.bit_count;
  const GifWriteContext context = ContextOf(data);
  MemorySink sink;
  Require(WriteGif(source.image, context, &sink) == Status::kOk, "every image is written");
  const std::vector<uint8_t>& file = sink.bytes();
  const size_t table = size_t{3} << context.bits;
  const size_t descriptor = 13 + table + (context.transparency ? 8 : 0);
  Require(file.size() > descriptor + 12 && std::memcmp(file.data(), "GIF89a", 6) == 0,
          "a GIF89a header, table and descriptor");
  Require(Le16(file, 6) == uint32_t(width) && Le16(file, 8) == uint32_t(height), "the size");
  Require(!context.transparency || (file[13 + table + 6] == file[11] && file[13 + table] == 0x21),
          "the transparent index is the background index");
  Require(file[descriptor] == 0x2C, "the image descriptor");
  const int min_code_size = file[descriptor + 10];
  std::vector<uint8_t> joined;
  size_t at = descriptor + 11;
  while (at < file.size() && file[at] != 0) {
    const size_t length = file[at];
    Require(at + 1 + length < file.size(), "sub-blocks inside the file");
    joined.insert(joined.end(), file.begin() + at + 1, file.begin() + at + 1 + length);
    at += 1 + length;
  }
  Require(at + 2 == file.size() && file[at + 1] == ';', "a zero block, then the trailer");
  const size_t count = size_t(width) * height;
  std::vector<uint8_t> indices(count + 1);
  Require(DecodeGifLzw(joined.data(), joined.size(), min_code_size, indices.data(),
                       indices.size()) == count,
          "exactly width x height indices");
  for (size_t i = 0; i < count; ++i) {
    Require(indices[i] < (1u << context.bits), "indices within the table");
  }
  if (bits != 8 || context.bits != 8) return 0;
  for (uint32_t k = 0; k < uint32_t(height); ++k) {
    const uint32_t row = PictureRow(k, uint32_t(height), context.interlace);
    for (int x = 0; x < width; ++x) {
      const uint8_t* entry = file.data() + 13 + 3 * size_t{indices[size_t(k) * width + x]};
      const uint32_t colour = uint32_t(entry[0]) << 16 | uint32_t(entry[1]) << 8 | entry[2];
      Require(colour == PixelRgb(source.image, x, int(row)), "an 8-bit image keeps its colours");
    }
  }
  return 0;
}
