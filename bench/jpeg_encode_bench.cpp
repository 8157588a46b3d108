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

#include <cstdlib>
#include <string>

#include "bench/encoder_comparison.h"
#include "codecs/jpeg_writer.h"
#include "image/image_buffer.h"

namespace {

constexpr int kQuality = 90;

size_t EncodeOurs(const ImageBuffer& image) {
  JpegWriteContext c;
  c.quality = kQuality;
  c.subsampling = 0;
  CountingSink sink;
  std::string text;
  return WriteJpeg(image, c, &sink, &text) == Status::kOk ? sink.bytes : 0;
}

// One TurboJPEG call on the same rows; with `optimise` its TJ_OPTIMIZE
// variable is set for this call only.
size_t EncodeTurbo(const ImageBuffer& image, bool optimise) {
  tjhandle handle = tjInitCompress();
  if (!handle) return 0;
  if (optimise) setenv("TJ_OPTIMIZE", "1", 1);
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int failed =
      tjCompress2(handle, image.pixels, image.header.width, static_cast<int>(Stride(image)),
                  image.header.height, TJPF_BGR, &jpeg, &size, TJSAMP_420, kQuality, TJFLAG_BOTTOMUP);
  if (optimise) unsetenv("TJ_OPTIMIZE");
  tjFree(jpeg);
  tjDestroy(handle);
  return failed ? 0 : size;
}

size_t EncodeTurboStandardTables(const ImageBuffer& image) { return EncodeTurbo(image, false); }
size_t EncodeTurboOptimised(const ImageBuffer& image) { return EncodeTurbo(image, true); }

void BM_JpegEncode24MegapixelsAgainstTurboJpeg(benchmark::State& state) {
  CompareEncoders(state, "turbo", EncodeOurs, EncodeTurboStandardTables);
}
void BM_JpegEncode24MegapixelsAgainstOptimisingTurboJpeg(benchmark::State& state) {
  CompareEncoders(state, "turbo", EncodeOurs, EncodeTurboOptimised);
}
BENCHMARK(BM_JpegEncode24MegapixelsAgainstTurboJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JpegEncode24MegapixelsAgainstOptimisingTurboJpeg)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
