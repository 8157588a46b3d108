// Whatever image and save options come in, the PNG writer either refuses
// with its status or writes a file that our reader takes back: the same
// size, the colours themselves at 24 bits and from an 8-bit palette, and the
// luminance in grey. The input's first bytes choose the image and options,
// the rest are its palette and pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "codecs/memory_sink.h"
#include "codecs/png_reader.h"
#include "codecs/png_writer.h"
#include "effects/luminance.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzzed_image.h"
#include "image/image_buffer.h"
#include "tests/unit/bmp_test_support.h"

namespace {

constexpr size_t kOptionBytes = 8;
constexpr int kDepths[] = {24, 8, 4, 2, 1};

PngWriteContext ContextOf(const uint8_t* o) {
  PngWriteContext c;
  c.target_bits = kDepths[o[2] % 5];
  c.grey = o[2] & 0x10;
  c.dither = o[2] & 0x20;
  c.interlace = o[2] & 0x40;
  c.transparency = o[2] & 0x80;
  c.compression_level = o[3] % 3;   // quick levels: the fuzzer wants many runs
  c.filter_mode = (o[3] >> 2) % 7;  // 6 counts as automatic too
  c.transparent_colour = uint32_t(o[4]) * 0x010203u;
  c.gamma = o[5] * 37;
  c.x_resolution = c.y_resolution = o[6] - 64;
  if (o[7] & 1) c.comment.assign(o[7] / 2, '\r');
  return c;
}

uint32_t Grey(uint32_t rgb) {
  return Luminance(uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)) * 0x010101u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kOptionBytes) return 0;
  const int width = data[0] % 40 + 1, height = data[1] % 40 + 1;
  const int bits = (data[2] & 8) ? 8 : 24;
  const PngWriteContext context = ContextOf(data);
  FuzzedImage source;
  if (!source.Fill(width, height, bits, data + kOptionBytes, size - kOptionBytes, false)) return 0;

  MemorySink png;
  const Status written = WritePng(source.image, context, &png);
  if (context.grey && context.target_bits != 8 && context.target_bits != 24) {
    Require(written == Status::kEncodeFailed,
            "grey below 8 bits is refused as an encoding failure");
    return 0;
  }
  Require(written == Status::kOk, "every other image and option is written");

  DecodeSettings as_stored;
  as_stored.png.gamma_correction = false;
  as_stored.png.composite_transparency = false;
  FuzzedImage back;
  Require(
      ReadPngBytes(png.bytes().data(), png.bytes().size(), as_stored, &back.image) == Status::kOk,
      "our reader takes what our writer wrote");
  Require(back.image.header.width == width && back.image.header.height == height,
          "the size survives");
  const bool grey = context.grey && context.target_bits == 8;
  const bool exact = context.target_bits == 24 || (bits == 8 && context.target_bits == 8);
  if (!grey && !exact) return 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = PixelRgb(source.image, x, y);
      const uint32_t expected = grey ? Grey(colour) : colour;
      Require(PixelRgb(back.image, x, y) == expected, "the pixels survive");
    }
  }
  return 0;
}
