#include "codecs/png_filtered_stream.h"

#include <cstring>
#include <utility>

#include "codecs/png_adam7.h"
#include "codecs/png_filters.h"

namespace {

// zlib counts its input in 32 bits where long is 32 bits (64-bit Windows).
constexpr uint64_t kLongestStream = 0xFFFFFFFFu;

int PassCount(bool interlace) { return interlace ? kAdam7Passes : 1; }

Adam7Pass PassOf(int pass, bool interlace, const PngSamples& s) {
  if (!interlace) return {0, 0, 1, 1, s.width, s.height};
  return Adam7PassOf(pass, s.width, s.height);
}

uint64_t RowBytes(uint32_t columns, int bits_per_pixel) {
  return (uint64_t{columns} * static_cast<uint64_t>(bits_per_pixel) + 7) / 8;
}

// Row buffers for one image: the unfiltered row and the one above it, and
// the four filtered candidates when each row gets its own choice.
struct RowBuffers {
  RowBuffers(size_t row_bytes, bool choose) : block((choose ? 6 : 2) * row_bytes + 1) {
    for (int i = 0; i < (choose ? 6 : 2) && block; ++i) rows[i] = block.data() + i * row_bytes;
  }
  PageBlock block;
  uint8_t* rows[6] = {};
  uint8_t* current() const { return rows[0]; }
  uint8_t* above() const { return rows[1]; }
  uint8_t* candidate(int filter) const { return rows[1 + filter]; }
  void NextRow() { std::swap(rows[0], rows[1]); }
};

// Scores the five versions of the row and writes the winner behind its type byte.
void WriteChosen(const RowBuffers& b, const uint8_t* previous, size_t size, size_t distance,
                 uint8_t* out) {
  int scores[5];
  scores[kFilterNone] = FilterScore(kFilterNone, b.current(), size);
  for (int f = kFilterSub; f <= kFilterPaeth; ++f) {
    FilterRow(PngFilter(f), b.current(), previous, size, distance, b.candidate(f));
    scores[f] = FilterScore(uint8_t(f), b.candidate(f), size);
  }
  const PngFilter chosen = ChooseFilter(scores);
  out[0] = chosen;
  std::memcpy(out + 1, chosen == kFilterNone ? b.current() : b.candidate(chosen), size);
}

}  // namespace

Status FilterScanlines(const PngSamples& samples, bool interlace, int filter_mode,
                       PageBlock* stream, size_t* size) {
  const int bits = samples.bits_per_pixel();
  uint64_t total = 0, widest = 0;
  for (int p = 0; p < PassCount(interlace); ++p) {
    const Adam7Pass pass = PassOf(p, interlace, samples);
    if (pass.empty()) continue;
    const uint64_t row_bytes = RowBytes(pass.columns, bits);
    total += pass.rows * (row_bytes + 1);
    if (row_bytes > widest) widest = row_bytes;
  }
  if (total > kLongestStream) return Status::kDeflateFailed;
  const bool choose = filter_mode < 1 || filter_mode > 5;
  *stream = PageBlock(static_cast<size_t>(total));
  RowBuffers buffers(static_cast<size_t>(widest), choose);
  if (!*stream || !buffers.block) return Status::kNoMemory;

  const PngFilter fixed = choose ? kFilterNone : PngFilter(filter_mode - 1);
  const size_t distance = bits >= 8 ? static_cast<size_t>(bits / 8) : 1;
  uint8_t* out = stream->data();
  for (int p = 0; p < PassCount(interlace); ++p) {
    const Adam7Pass pass = PassOf(p, interlace, samples);
    if (pass.empty()) continue;
    const size_t row_bytes = static_cast<size_t>(RowBytes(pass.columns, bits));
    const uint8_t* previous = nullptr;  // the first row of a pass has zeros above
    for (uint32_t j = 0; j < pass.rows; ++j) {
      GatherScanline(samples, pass.row_start + j * pass.row_step, pass.column_start,
                     pass.column_step, pass.columns, buffers.current());
      if (choose) {
        WriteChosen(buffers, previous, row_bytes, distance, out);
      } else {
        out[0] = fixed;
        FilterRow(fixed, buffers.current(), previous, row_bytes, distance, out + 1);
      }
      out += row_bytes + 1;
      buffers.NextRow();
      previous = buffers.above();
    }
  }
  *size = static_cast<size_t>(total);
  return Status::kOk;
}
