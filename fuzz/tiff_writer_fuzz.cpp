// Whatever image and TIFF options come in, the writer makes a file of the
// layout its depth has, with exactly the strip its directory announces,
// which our reader takes back at the same size: a 24-bit image written at
// 24 bits and an 8-bit one at 8 keep every colour. The input's first bytes
// choose the image and options, the rest are its palette and pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/memory_sink.h"
#include "codecs/tiff_reader.h"
#include "codecs/tiff_writer.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzzed_image.h"
#include "image/image_buffer.h"
#include "tests/unit/bmp_test_support.h"

namespace {

constexpr size_t kOptionBytes = 4;
constexpr int kDepths[] = {24, 8, 4, 1};

TiffWriteContext ContextOf(const uint8_t* o) {
  TiffWriteContext c;
  c.bits = kDepths[o[3] % 4];
  c.grey = o[3] & 0x10;
  c.dither = o[3] & 0x20;
  c.x_resolution = int32_t(uint32_t(o[2]) * 0x01020304u);
  c.y_resolution = o[1] * 40;
  return c;
}

// The strip's offset for each layout: 11 or 12 entries, then what lies
// behind them.
uint32_t StripOffset(const TiffWriteContext& c) {
  if (c.bits == 24) return 180;
  if (c.bits == 4) return 270;
  if (c.bits == 8 && !c.grey) return 1710;
  return 162;
}

bool SameColours(const ImageBuffer& a, const ImageBuffer& b) {
  for (int y = 0; y < a.header.height; ++y) {
    for (int x = 0; x < a.header.width; ++x) {
      if (PixelRgb(a, x, y) != PixelRgb(b, x, y)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedImage source;
  if (!source.FillFromInput(data, size, kOptionBytes)) return 0;
  const ImageBuffer& image = source.image;
  const TiffWriteContext context = ContextOf(data);
  MemorySink sink;
  Require(WriteTiff(image, context, &sink) == Status::kOk, "every image is written");
  const std::vector<uint8_t>& file = sink.bytes();
  const uint32_t strip = StripOffset(context);
  const uint64_t row_bytes =
      (uint64_t(image.header.width) * (context.bits == 24 ? 24 : context.bits) + 7) / 8;
  Require(file.size() == strip + row_bytes * uint64_t(image.header.height),
          "the strip follows the values behind the directory and holds every row");
  OwnedImage back;
  Require(ReadTiffBytes(file.data(), file.size(), &back.record) == Status::kOk, "the file reads back");
  Require(back.record.header.width == image.header.width &&
              back.record.header.height == image.header.height,
          "at the same size");
  const bool own_depth =
      context.bits == int(image.header.bit_count) && (context.bits == 24 || !context.grey);
  Require(!own_depth || SameColours(image, back.record), "at its own depth the image keeps its colours");
  return 0;
}
