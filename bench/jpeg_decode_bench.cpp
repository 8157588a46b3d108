// Decoding a 24-megapixel JPEG at quality 90 (4:2:0, 4:4:4, and 4:2:0
// progressive) by our reader and by TurboJPEG asked for the same result:
// blue, green, red rows bottom-up in a fresh pixel block, with the default
// integer transform and smooth upsampling. Each iteration decodes with both,
// so the ratio compares runs under the same conditions.
//
// Both link libjpeg-turbo: ours statically, TurboJPEG as the system's shared
// library, which keeps its own copy of the library's functions to itself
// (it exports only its tj* entry points), so neither calls the other's. The
// equal pixels of the two decodes confirm it.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/jpeg_reader.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

enum Kind { k420, k444, kProgressive420 };

// The picture as TurboJPEG encodes it, from our bottom-up rows.
std::vector<uint8_t> Encode(Kind kind) {
  std::vector<uint8_t> bgr = SyntheticPhotograph(kWidth, kHeight);
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int flags = TJFLAG_BOTTOMUP | (kind == kProgressive420 ? TJFLAG_PROGRESSIVE : 0);
  const int pitch = static_cast<int>(RowStride(kWidth, 24));
  const int failed = tjCompress2(encoder, bgr.data(), kWidth, pitch, kHeight, TJPF_BGR, &jpeg, &size,
                                 kind == k444 ? TJSAMP_444 : TJSAMP_420, 90, flags);
  std::vector<uint8_t> bytes;
  if (!failed) bytes.assign(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return bytes;
}

const std::vector<uint8_t>& Sample(Kind kind) {
  static const std::vector<uint8_t> files[] = {Encode(k420), Encode(k444), Encode(kProgressive420)};
  return files[kind];
}

bool DecodeWithTurboJpeg(const std::vector<uint8_t>& bytes, ImageBuffer* image) {
  tjhandle decoder = tjInitDecompress();
  int width = 0, height = 0, sampling = 0, colours = 0;
  bool done = tjDecompressHeader3(decoder, bytes.data(), bytes.size(), &width, &height, &sampling, &colours) == 0 &&
              AllocatePixels(image, width, height, 24) == Status::kOk &&
              tjDecompress2(decoder, bytes.data(), bytes.size(), image->pixels, width,
                            static_cast<int>(Stride(*image)), height, TJPF_BGR, TJFLAG_BOTTOMUP) == 0;
  tjDestroy(decoder);
  return done;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_JpegDecode(benchmark::State& state) {
  const Kind kind = static_cast<Kind>(state.range(0));
  const std::vector<uint8_t>& bytes = Sample(kind);
  if (bytes.empty()) {
    state.SkipWithError("TurboJPEG could not encode the picture");
    return;
  }
  double ours = 0, theirs = 0;
  bool same = true;
  for (auto _ : state) {
    ImageBuffer a{}, b{};
    auto t0 = std::chrono::steady_clock::now();
    const Status status = ReadJpegBytes(bytes.data(), bytes.size(), &a);
    auto t1 = std::chrono::steady_clock::now();
    const bool turbo = DecodeWithTurboJpeg(bytes, &b);
    auto t2 = std::chrono::steady_clock::now();
    if (status != Status::kOk) state.SkipWithError("our reader failed");
    if (!turbo) state.SkipWithError("TurboJPEG failed");
    ours += Seconds(t1 - t0);
    theirs += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t1 - t0));
    same = same && status == Status::kOk && turbo &&
           std::memcmp(a.pixels, b.pixels, size_t{Stride(a)} * kHeight) == 0;
    ReleasePixels(&a);
    ReleasePixels(&b);
  }
  state.counters["turbojpeg_ms"] = 1000 * theirs / double(state.iterations());
  state.counters["ours/turbojpeg"] = ours / theirs;
  state.counters["file_MB"] = double(bytes.size()) / 1e6;
  state.counters["same_pixels"] = same;
}
BENCHMARK(BM_JpegDecode)
    ->Arg(k420)
    ->Arg(k444)
    ->Arg(kProgressive420)
    ->ArgName("kind")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);

}  // namespace
