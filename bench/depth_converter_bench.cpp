// The 24 to 8-bit reduction of a 12-megapixel photograph-like picture, with
// and without dither, and its nearest-colour mapping beside the exhaustive
// search it must agree with.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "effects/depth_converter.h"
#include "effects/error_diffusion.h"
#include "effects/nearest_colour.h"
#include "image/image_buffer.h"
#include "image/page_memory.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

const std::vector<uint8_t>& Photograph() {
  static const std::vector<uint8_t> rows = SyntheticPhotograph(kWidth, kHeight);
  return rows;
}

DepthConverter Converter(bool dither) {
  DepthConverter c;
  c.width = kWidth, c.height = kHeight, c.dither = dither;
  PrepareDepthConverter(&c, 24, 8);
  return c;
}

void BM_Reduce24To8(benchmark::State& state) {
  const bool dither = state.range(0) != 0;
  const DepthConverter c = Converter(dither);
  RgbQuad palette[256];
  for (auto _ : state) {
    PageBlock out(size_t{c.target_size} + 4);
    if (ConvertDepth(c, nullptr, Photograph().data(), palette, out.data()) != Status::kOk) {
      state.SkipWithError("conversion failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Reduce24To8)->Arg(0)->Arg(1)->ArgName("dither")->Unit(benchmark::kMillisecond)->Iterations(2);

// The mapping stage alone, over the palette the reduction chose, with the
// same diffusion for both searches.
struct MappingInput {
  RgbQuad palette[256];
  std::vector<uint8_t> working;  // blue, green, red, spare
};

const MappingInput& Mapping(bool dither) {
  static MappingInput inputs[2];
  MappingInput& in = inputs[dither];
  if (in.working.empty()) {
    const DepthConverter c = Converter(dither);
    PageBlock out(size_t{c.target_size} + 4);
    ConvertDepth(c, nullptr, Photograph().data(), in.palette, out.data());
    in.working.resize(size_t{4} * kWidth * kHeight);
    const size_t stride = RowStride(kWidth, 24);
    for (size_t i = 0, y = 0; y < kHeight; ++y) {
      for (size_t x = 0; x < kWidth; ++x, ++i) std::memcpy(&in.working[4 * i], &Photograph()[y * stride + 3 * x], 3);
    }
  }
  return in;
}

template <typename Find>
std::vector<uint8_t> MapAll(const MappingInput& in, bool dither, Find find) {
  std::vector<uint8_t> working = in.working;
  std::vector<uint8_t> indices(working.size() / 4);
  const DiffusionPlane<3> plane(working.data(), 4, 4 * size_t{kWidth}, kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = plane.Pixel(x, y);
      const uint8_t index = find(p[0], p[1], p[2]);
      indices[size_t(y) * kWidth + x] = index;
      if (dither) {
        const RgbQuad& e = in.palette[index];
        const int error[3] = {p[0] - e.blue, p[1] - e.green, p[2] - e.red};
        plane.Spread(x, y, error);
      }
    }
  }
  return indices;
}

std::vector<uint8_t> MapExhaustive(const MappingInput& in, bool dither) {
  return MapAll(in, dither, [&](uint8_t b, uint8_t g, uint8_t r) {
    return NearestColourExhaustive(in.palette, 256, b, g, r);
  });
}

std::vector<uint8_t> MapOurs(const MappingInput& in, bool dither) {
  NearestColour nearest;
  nearest.Init(in.palette, 256);
  return MapAll(in, dither, [&](uint8_t b, uint8_t g, uint8_t r) { return nearest.Find(b, g, r); });
}

void BM_NearestColour_Exhaustive(benchmark::State& state) {
  const bool dither = state.range(0) != 0;
  const MappingInput& in = Mapping(dither);
  std::vector<uint8_t> indices;
  for (auto _ : state) indices = MapExhaustive(in, dither);
  // Both searches must give the same index for every pixel.
  state.counters["mismatches"] = double(indices != MapOurs(in, dither));
}
BENCHMARK(BM_NearestColour_Exhaustive)->Arg(0)->Arg(1)->ArgName("dither")->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_NearestColour_Ovira(benchmark::State& state) {
  const bool dither = state.range(0) != 0;
  const MappingInput& in = Mapping(dither);
  for (auto _ : state) benchmark::DoNotOptimize(MapOurs(in, dither).data());
}
BENCHMARK(BM_NearestColour_Ovira)->Arg(0)->Arg(1)->ArgName("dither")->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
