// Our helpers beside straightforward references, in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "image/colour_count.h"
#include "image/image_buffer.h"
#include "image/palette_expand.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

std::vector<uint8_t> NoiseRows(size_t bytes, uint8_t mask) {
  std::mt19937 rng(7);
  std::vector<uint8_t> out(bytes);
  for (uint8_t& b : out) b = uint8_t(rng()) & mask;
  return out;
}

uint32_t ReferenceCountColours(const uint8_t* pixels) {
  std::vector<uint32_t> keys;
  keys.reserve(size_t(kWidth) * kHeight);
  const size_t stride = RowStride(kWidth, 24);
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* p = pixels + y * stride;
    for (int x = 0; x < kWidth; ++x, p += 3) keys.push_back(p[0] | p[1] << 8 | p[2] << 16);
  }
  std::sort(keys.begin(), keys.end());
  return uint32_t(std::unique(keys.begin(), keys.end()) - keys.begin());
}

void BM_CountColours_Reference(benchmark::State& state) {
  auto rows = NoiseRows(RowStride(kWidth, 24) * kHeight, 0xFF);
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceCountColours(rows.data()));
}
BENCHMARK(BM_CountColours_Reference)->Unit(benchmark::kMillisecond);

void BM_CountColours_Ovira(benchmark::State& state) {
  auto rows = NoiseRows(RowStride(kWidth, 24) * kHeight, 0xFF);
  for (auto _ : state) benchmark::DoNotOptimize(CountColours(kWidth, kHeight, rows.data(), 3));
}
BENCHMARK(BM_CountColours_Ovira)->Unit(benchmark::kMillisecond);

void ReferenceExpand(const RgbQuad* palette, const uint8_t* pixels, uint8_t* out) {
  const size_t in_stride = RowStride(kWidth, 8), out_stride = RowStride(kWidth, 24);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const RgbQuad& c = palette[pixels[y * in_stride + x]];
      uint8_t* d = out + y * out_stride + 3 * x;
      d[0] = c.blue, d[1] = c.green, d[2] = c.red;
    }
  }
}

void BM_ExpandTo24_Reference(benchmark::State& state) {
  auto rows = NoiseRows(RowStride(kWidth, 8) * kHeight, 0xFF);
  RgbQuad palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
  for (auto _ : state) {
    // Pixel blocks are page memory in both, so only the copy loop differs.
    PageBlock out(RowStride(kWidth, 24) * kHeight + 4);
    ReferenceExpand(palette, rows.data(), out.data());
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExpandTo24_Reference)->Unit(benchmark::kMillisecond);

void BM_ExpandTo24_Ovira(benchmark::State& state) {
  auto rows = NoiseRows(RowStride(kWidth, 8) * kHeight, 0xFF);
  RgbQuad palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
  for (auto _ : state) {
    PageBlock out = ExpandTo24Bits(palette, rows.data(), kWidth, kHeight);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExpandTo24_Ovira)->Unit(benchmark::kMillisecond);

}  // namespace
