// Encoding a 24-megapixel photograph-like picture as JPEG at quality 90
// with 2x2 chroma subsampling: our writer against TurboJPEG's tjCompress2 on
// the same bottom-up blue, green, red rows in one run. The counters give
// both times and sizes and their ratios (ours / TurboJPEG's).
//
// Our writer always optimises its Huffman tables (a second pass over the
// coefficients, smaller files). TurboJPEG 2.1's API has no switch for that;
// by default it writes the standard tables, so the first comparison is not
// like for like. Its TJ_OPTIMIZE environment variable turns optimisation on,
// which the second benchmark sets for its own calls only.
//
// libturbojpeg.so carries its own copy of the library and exports only its
// tj* functions, so our static libjpeg's jpeg_* symbols cannot mix with it.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/byte_sink.h"
#include "codecs/jpeg_writer.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kQuality = 90;

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
  JpegWriteContext c;
  c.quality = kQuality;
  c.subsampling = 0;
  CountingSink sink;
  std::string text;
  return WriteJpeg(image, c, &sink, &text) == Status::kOk ? sink.bytes : 0;
}

size_t EncodeTurbo(tjhandle handle, const ImageBuffer& image) {
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int failed = tjCompress2(handle, image.pixels, kWidth, static_cast<int>(Stride(image)), kHeight,
                                 TJPF_BGR, &jpeg, &size, TJSAMP_420, kQuality, TJFLAG_BOTTOMUP);
  tjFree(jpeg);
  return failed ? 0 : size;
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void CompareWithTurbo(benchmark::State& state, bool turbo_optimises) {
  const ImageBuffer& image = Photograph().image;
  tjhandle handle = tjInitCompress();
  double ours = 0, theirs = 0;
  size_t our_bytes = 0, their_bytes = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    our_bytes = EncodeOurs(image);
    const auto middle = std::chrono::steady_clock::now();
    if (turbo_optimises) setenv("TJ_OPTIMIZE", "1", 1);
    their_bytes = EncodeTurbo(handle, image);
    if (turbo_optimises) unsetenv("TJ_OPTIMIZE");
    const auto end = std::chrono::steady_clock::now();
    ours += Seconds(middle - start), theirs += Seconds(end - middle);
  }
  tjDestroy(handle);
  if (!our_bytes || !their_bytes) state.SkipWithError("an encoder failed");
  const double n = static_cast<double>(state.iterations());
  state.counters["ovira_ms"] = 1000 * ours / n;
  state.counters["turbo_ms"] = 1000 * theirs / n;
  state.counters["time_ratio"] = ours / theirs;
  state.counters["ovira_MB"] = our_bytes / 1e6;
  state.counters["turbo_MB"] = their_bytes / 1e6;
  state.counters["size_ratio"] = double(our_bytes) / double(their_bytes);
}

void BM_JpegEncode24MegapixelsAgainstTurboJpeg(benchmark::State& state) {
  CompareWithTurbo(state, false);
}
void BM_JpegEncode24MegapixelsAgainstOptimisingTurboJpeg(benchmark::State& state) {
  CompareWithTurbo(state, true);
}
BENCHMARK(BM_JpegEncode24MegapixelsAgainstTurboJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JpegEncode24MegapixelsAgainstOptimisingTurboJpeg)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
