// Decoding a 24-megapixel PNG, 8-bit RGB (as our writer makes it with the
// per-row filter choice at level 6) and 16-bit RGBA (as libpng makes it), by
// our reader and by libpng asked for the same result: blue, green, red rows bottom-up, the
// high byte of 16-bit samples, alpha blended onto white. Each iteration
// decodes with both, so the ratio compares runs under the same conditions.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/memory_sink.h"
#include "codecs/png_reader.h"
#include "codecs/png_writer.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

struct PngBytes {
  std::vector<uint8_t> bytes;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<PngBytes*>(png_get_io_ptr(png));
  out->bytes.insert(out->bytes.end(), data, data + size);
}

std::vector<uint8_t> EncodeOurs() {
  std::vector<uint8_t> bgr = SyntheticPhotograph(kWidth, kHeight);
  const ImageBuffer image = BorrowedImage(bgr, kWidth, kHeight);
  PngWriteContext c;
  c.compression_level = 6;
  c.filter_mode = 0;
  MemorySink out;
  WritePng(image, c, &out);
  return out.bytes();
}

// The picture as libpng writes it at level 6 with its own filter choice,
// RGB at 8 bits or RGBA at 16 (low bytes and alpha made up from it).
std::vector<uint8_t> EncodeWithLibpng(bool rgba16) {
  const std::vector<uint8_t> bgr = SyntheticPhotograph(kWidth, kHeight);
  const size_t stride = RowStride(kWidth, 24);
  PngBytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_compression_level(png, 6);
  png_set_IHDR(png, info, kWidth, kHeight, rgba16 ? 16 : 8, rgba16 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t{kWidth} * (rgba16 ? 8 : 3));
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* in = &bgr[size_t(kHeight - 1 - y) * stride];
    for (int x = 0; x < kWidth; ++x, in += 3) {
      if (rgba16) {
        uint8_t* p = &row[size_t(x) * 8];
        const uint8_t rgba[4] = {in[2], in[1], in[0], uint8_t((x + y) % 256)};
        for (int c = 0; c < 4; ++c) p[2 * c] = rgba[c], p[2 * c + 1] = uint8_t(rgba[c] ^ (x * 7));
      } else {
        uint8_t* p = &row[size_t(x) * 3];
        p[0] = in[2], p[1] = in[1], p[2] = in[0];
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out.bytes;
}

const std::vector<uint8_t>& Sample(bool rgba16) {
  static const std::vector<uint8_t> rgb = EncodeOurs();
  static const std::vector<uint8_t> rgba = EncodeWithLibpng(true);
  return rgba16 ? rgba : rgb;
}

struct Reading {
  const std::vector<uint8_t>* bytes;
  size_t at;
};

void ReadBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* r = static_cast<Reading*>(png_get_io_ptr(png));
  if (r->at + size > r->bytes->size()) png_error(png, "read past the end");
  std::memcpy(data, r->bytes->data() + r->at, size);
  r->at += size;
}

void DecodeWithLibpng(const std::vector<uint8_t>& bytes, ImageBuffer* image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Reading reading = {&bytes, 0};
  png_set_read_fn(png, &reading, ReadBytes);
  png_read_info(png, info);
  const png_color_16 white = {0, 255, 255, 255, 255};
  if (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) {
    png_set_background(png, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  }
  png_set_strip_16(png);
  png_set_bgr(png);
  png_read_update_info(png, info);
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  AllocatePixels(image, width, height, 24);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = RowFromTop(*image, y);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_PngDecode(benchmark::State& state) {
  const bool rgba16 = state.range(0) != 0;
  const std::vector<uint8_t>& bytes = Sample(rgba16);
  double ours = 0, theirs = 0;
  bool same = true;
  for (auto _ : state) {
    ImageBuffer a{}, b{};
    auto t0 = std::chrono::steady_clock::now();
    const Status status = ReadPngBytes(bytes.data(), bytes.size(), {}, &a);
    auto t1 = std::chrono::steady_clock::now();
    DecodeWithLibpng(bytes, &b);
    auto t2 = std::chrono::steady_clock::now();
    if (status != Status::kOk) state.SkipWithError("our reader failed");
    ours += Seconds(t1 - t0);
    theirs += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t1 - t0));
    same = same && status == Status::kOk && !rgba16 &&
           std::memcmp(a.pixels, b.pixels, size_t{Stride(a)} * kHeight) == 0;
    if (rgba16) same = status == Status::kOk;
    ReleasePixels(&a);
    ReleasePixels(&b);
  }
  state.counters["libpng_ms"] = 1000 * theirs / double(state.iterations());
  state.counters["ours/libpng"] = ours / theirs;
  state.counters["file_MB"] = double(bytes.size()) / 1e6;
  if (!rgba16) state.counters["same_pixels"] = same;
}
BENCHMARK(BM_PngDecode)->Arg(0)->Arg(1)->ArgName("rgba16")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
