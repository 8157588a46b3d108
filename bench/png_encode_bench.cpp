// Encoding a 24-megapixel photograph-like picture as 24-bit PNG at level 6:
// our writer with its per-row filter choice against libpng with its own
// adaptive filtering, on the same rows in one run. The counters give both
// times and sizes and their ratios (ours / libpng's).
#include <benchmark/benchmark.h>
#include <png.h>

#include <vector>

#include "bench/encoder_comparison.h"
#include "codecs/png_writer.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = kPhotographWidth, kHeight = kPhotographHeight, kLevel = 6;

size_t EncodeOurs(const ImageBuffer& image) {
  PngWriteContext c;
  c.target_bits = 24;
  c.compression_level = kLevel;
  c.filter_mode = 0;
  CountingSink sink;
  return WritePng(image, c, &sink) == Status::kOk ? sink.bytes : 0;
}

void CountLibpngBytes(png_structp png, png_bytep, png_size_t size) {
  static_cast<CountingSink*>(png_get_io_ptr(png))->bytes += size;
}
void NoFlush(png_structp) {}

// libpng takes the same bottom-up blue, green, red rows, top row first.
size_t EncodeLibpng(const ImageBuffer& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return 0;
  }
  CountingSink sink;
  std::vector<png_bytep> rows(kHeight);
  for (int y = 0; y < kHeight; ++y) rows[y] = RowFromTop(image, y);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return 0;
  }
  png_set_write_fn(png, &sink, CountLibpngBytes, NoFlush);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kLevel);
  png_set_bgr(png);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return sink.bytes;
}

void BM_PngEncode24MegapixelsAgainstLibpng(benchmark::State& state) {
  CompareEncoders(state, "libpng", EncodeOurs, EncodeLibpng);
}
BENCHMARK(BM_PngEncode24MegapixelsAgainstLibpng)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
