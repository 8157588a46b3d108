// Encoding a 24-megapixel photograph-like picture as 24-bit PNG at level 6:
// our writer with its per-row filter choice against libpng with its own
// adaptive filtering, on the same rows in one run. The counters give both
// times and sizes and their ratios (ours / libpng's).
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/byte_sink.h"
#include "codecs/png_writer.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kLevel = 6;

// Counts what an encoder writes; the bytes themselves are not wanted.
class CountingSink final : public ByteSink {
 public:
  bool Write(const void*, size_t size) override {
    bytes += size;
    return true;
  }
  size_t bytes = 0;
};

struct Picture {
  Picture() : rows(SyntheticPhotograph(kWidth, kHeight)), image(BorrowedImage(rows, kWidth, kHeight)) {}
  std::vector<uint8_t> rows;
  ImageBuffer image;  // borrows the rows; never released
};

const Picture& Photograph() {
  static const Picture picture;
  return picture;
}

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

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_PngEncode24MegapixelsAgainstLibpng(benchmark::State& state) {
  const ImageBuffer& image = Photograph().image;
  double ours = 0, theirs = 0;
  size_t our_bytes = 0, their_bytes = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    our_bytes = EncodeOurs(image);
    const auto middle = std::chrono::steady_clock::now();
    their_bytes = EncodeLibpng(image);
    const auto end = std::chrono::steady_clock::now();
    ours += Seconds(middle - start), theirs += Seconds(end - middle);
  }
  if (!our_bytes || !their_bytes) state.SkipWithError("an encoder failed");
  const double n = static_cast<double>(state.iterations());
  state.counters["ovira_ms"] = 1000 * ours / n;
  state.counters["libpng_ms"] = 1000 * theirs / n;
  state.counters["time_ratio"] = ours / theirs;
  state.counters["ovira_MB"] = our_bytes / 1e6;
  state.counters["libpng_MB"] = their_bytes / 1e6;
  state.counters["size_ratio"] = double(our_bytes) / double(their_bytes);
}
BENCHMARK(BM_PngEncode24MegapixelsAgainstLibpng)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
