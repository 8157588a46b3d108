// The three tone adjustments over a 24-megapixel photograph-like picture,
// each beside a plain copy of the same bytes in the same run: the kernel
// reads and writes as much as the copy does, so "x_copy" (kernel time over
// copy time) says what the table lookups cost on top of moving the bytes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "adjust/brightness_clamp.h"
#include "adjust/channel_map.h"
#include "adjust/contrast_pivot.h"
#include "adjust/contrast_tables.h"
#include "adjust/gamma_tables.h"
#include "bench/synthetic_photograph.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

struct Pictures {
  Pictures() : rows(SyntheticPhotograph(kWidth, kHeight)), result_rows(rows) {
    source = BorrowedImage(rows, kWidth, kHeight);
    result = BorrowedImage(result_rows, kWidth, kHeight);
  }
  std::vector<uint8_t> rows, result_rows;  // the result's pages already touched
  ImageBuffer source, result;
};

Pictures& Shared() {
  static Pictures pictures;
  return pictures;
}

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double CopyOnce() {
  Pictures& p = Shared();
  const auto start = Clock::now();
  std::memcpy(p.result_rows.data(), p.rows.data(), p.rows.size());
  benchmark::ClobberMemory();
  return SecondsSince(start);
}

void BM_Tone_Copy(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(CopyOnce());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Shared().rows.size()));
}
BENCHMARK(BM_Tone_Copy)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each iteration copies the bytes once and then maps them once, so that
// the ratio compares the two under the same conditions of the moment.
void MeasureKernel(benchmark::State& state, const ChannelTables& tables) {
  Pictures& p = Shared();
  double kernel = 0, copy = 0;
  for (auto _ : state) {
    copy += CopyOnce();
    const auto start = Clock::now();
    MapChannels(p.source, tables, StopRequest(), &p.result);
    benchmark::ClobberMemory();
    const double seconds = SecondsSince(start);
    state.SetIterationTime(seconds);
    kernel += seconds;
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.rows.size()));
  state.counters["x_copy"] = kernel / copy;
}

// Three different amounts, so each channel has a table of its own.
constexpr ChannelAmounts kAmounts = {30, -20, 55};

void BM_Tone_Gamma(benchmark::State& state) {
  static const GammaTables tables;
  MeasureKernel(state, ChannelsFor(tables, kAmounts));
}
BENCHMARK(BM_Tone_Gamma)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Tone_Brightness(benchmark::State& state) {
  MeasureKernel(state, ChannelsFor(kBrightnessClamp, kAmounts));
}
BENCHMARK(BM_Tone_Brightness)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Tone_Contrast(benchmark::State& state) {
  static const ContrastTables tables(ContrastPivot(Shared().source));
  MeasureKernel(state, ChannelsFor(tables, kAmounts));
}
BENCHMARK(BM_Tone_Contrast)->UseManualTime()->Unit(benchmark::kMillisecond);

// The pivot is taken once per opening, on the interface thread.
void BM_Tone_ContrastPivot(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ContrastPivot(Shared().source));
}
BENCHMARK(BM_Tone_ContrastPivot)->Unit(benchmark::kMillisecond);

}  // namespace
