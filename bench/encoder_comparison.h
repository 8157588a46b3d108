// What the encode benchmarks share: the 24-megapixel photograph as an image
// record, a sink that only counts, and the run that times our encoder and
// a reference one on the same picture in each iteration and reports both
// times and sizes and their ratios (ours / theirs).
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

constexpr int kPhotographWidth = 6000, kPhotographHeight = 4000;

// Counts what an encoder writes; the bytes themselves are not wanted.
class CountingSink final : public ByteSink {
 public:
  bool Write(const void*, size_t size) override {
    bytes += size;
    return true;
  }
  size_t bytes = 0;
};

// Made once per run; its image borrows the rows and is never released.
inline const ImageBuffer& PhotographImage() {
  struct Picture {
    Picture()
        : rows(SyntheticPhotograph(kPhotographWidth, kPhotographHeight)),
          image(BorrowedImage(rows, kPhotographWidth, kPhotographHeight)) {}
    std::vector<uint8_t> rows;
    ImageBuffer image;
  };
  static const Picture picture;
  return picture.image;
}

// ours and theirs encode the image and return the bytes written, 0 on failure.
template <typename Ours, typename Theirs>
void CompareEncodersOn(const ImageBuffer& image, benchmark::State& state,
                       const std::string& their_name, Ours ours, Theirs theirs) {
  using Clock = std::chrono::steady_clock;
  double our_seconds = 0, their_seconds = 0;
  size_t our_bytes = 0, their_bytes = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    our_bytes = ours(image);
    const auto middle = Clock::now();
    their_bytes = theirs(image);
    const auto end = Clock::now();
    our_seconds += std::chrono::duration<double>(middle - start).count();
    their_seconds += std::chrono::duration<double>(end - middle).count();
  }
  if (!our_bytes || !their_bytes) state.SkipWithError("an encoder failed");
  const double n = static_cast<double>(state.iterations());
  state.counters["ovira_ms"] = 1000 * our_seconds / n;
  state.counters[their_name + "_ms"] = 1000 * their_seconds / n;
  state.counters["time_ratio"] = our_seconds / their_seconds;
  state.counters["ovira_MB"] = our_bytes / 1e6;
  state.counters[their_name + "_MB"] = their_bytes / 1e6;
  state.counters["size_ratio"] = double(our_bytes) / double(their_bytes);
}

// The same on the 24-megapixel photograph.
template <typename Ours, typename Theirs>
void CompareEncoders(benchmark::State& state, const std::string& their_name, Ours ours,
                     Theirs theirs) {
  CompareEncodersOn(PhotographImage(), state, their_name, ours, theirs);
}
