// Decoding a 24-megapixel uncompressed RGB TIFF held in memory, at 8 and 16
// bits per sample, in one strip and in 1000 strips of 4 rows, by our reader,
// by libtiff asked for the same result, and by a plain copy of the file's
// pixel bytes into fresh pages (the floor for any reader that must own its
// pixels).
//
// libtiff opens the bytes through its client procedures with a memory map,
// as our reader sees a mapped file, reads each strip's raw samples with
// TIFFReadEncodedStrip into one reused strip buffer and turns those rows into
// blue, green, red rows bottom-up (the high byte of 16-bit samples), which is
// the work our reader does. TIFFReadRGBAImage would do different work (RGBA
// words, colour handling) and is not used. The files are written by libtiff
// before the runs; the equal pixels of the two decodes confirm the outputs
// match.
#include <benchmark/benchmark.h>
#include <tiffio.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/tiff_reader.h"
#include "image/image_buffer.h"
#include "image/page_memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kManyStrips = 1000;

Bytes ReadFile(const std::string& path) {
  Bytes bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    bytes.resize(size_t(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    std::fclose(f);
  }
  return bytes;
}

// One top-down row of red, green, blue samples; 16-bit samples carry the
// picture in their high byte and a pattern in their low byte.
void FileRow(const uint8_t* bgr, int y, int bits, uint8_t* out) {
  for (int x = 0; x < kWidth; ++x, bgr += 3) {
    const uint8_t rgb[3] = {bgr[2], bgr[1], bgr[0]};
    for (int c = 0; c < 3; ++c) {
      if (bits == 8) {
        out[3 * x + c] = rgb[c];
      } else {
        const uint16_t v = uint16_t(rgb[c] << 8 | ((x * 7 + y + c) & 0xff));
        std::memcpy(out + 2 * (3 * x + c), &v, 2);
      }
    }
  }
}

// The picture written by libtiff, uncompressed, in its native byte order.
Bytes WriteWithLibtiff(int bits, int strips) {
  char folder[] = "/tmp/ovira_tiff_bench_XXXXXX";
  if (!mkdtemp(folder)) return {};
  const std::string path = std::string(folder) + "/picture.tif";
  const Bytes bgr = SyntheticPhotograph(kWidth, kHeight);
  const size_t stride = RowStride(kWidth, 24);
  const int rows_per_strip = kHeight / strips;
  const size_t row_bytes = size_t{kWidth} * 3 * size_t(bits / 8);
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return {};
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows_per_strip);
  Bytes strip(row_bytes * size_t(rows_per_strip));
  for (int s = 0; s < strips; ++s) {
    for (int r = 0; r < rows_per_strip; ++r) {
      const int y = s * rows_per_strip + r;
      FileRow(&bgr[size_t(kHeight - 1 - y) * stride], y, bits, &strip[size_t(r) * row_bytes]);
    }
    TIFFWriteEncodedStrip(tif, uint32_t(s), strip.data(), tmsize_t(strip.size()));
  }
  TIFFClose(tif);
  Bytes bytes = ReadFile(path);
  std::remove(path.c_str());
  rmdir(folder);
  return bytes;
}

const Bytes& Sample(int bits, int strips) {
  static const Bytes files[2][2] = {{WriteWithLibtiff(8, 1), WriteWithLibtiff(8, kManyStrips)},
                                    {WriteWithLibtiff(16, 1), WriteWithLibtiff(16, kManyStrips)}};
  return files[bits == 16][strips != 1];
}

// The file in memory as libtiff's client procedures see it.
struct MemoryFile {
  const Bytes* bytes;
  toff_t at = 0;
};

MemoryFile* Of(thandle_t handle) { return static_cast<MemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile* f = Of(handle);
  const toff_t left = f->at < f->bytes->size() ? f->bytes->size() - f->at : 0;
  const toff_t n = std::min<toff_t>(toff_t(size), left);
  std::memcpy(buffer, f->bytes->data() + f->at, size_t(n));
  f->at += n;
  return tmsize_t(n);
}
tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }
toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile* f = Of(handle);
  if (whence == SEEK_SET) f->at = offset;
  if (whence == SEEK_CUR) f->at += offset;
  if (whence == SEEK_END) f->at = f->bytes->size() + offset;
  return f->at;
}
int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return Of(handle)->bytes->size(); }
int MapProc(thandle_t handle, void** base, toff_t* size) {
  *base = const_cast<uint8_t*>(Of(handle)->bytes->data());
  *size = Of(handle)->bytes->size();
  return 1;
}
void UnmapProc(thandle_t, void*, toff_t) {}

// Red, green, blue samples of one row into blue, green, red bytes; `high` is
// where the high byte of a sample lies.
template <size_t kSample, size_t kHigh>
void ReorderRow(const uint8_t* in, uint8_t* out) {
  for (int x = 0; x < kWidth; ++x, in += 3 * kSample, out += 3) {
    out[0] = in[2 * kSample + kHigh];
    out[1] = in[kSample + kHigh];
    out[2] = in[kHigh];
  }
}

bool DecodeWithLibtiff(const Bytes& bytes, ImageBuffer* image) {
  MemoryFile file{&bytes};
  TIFF* tif = TIFFClientOpen("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                             UnmapProc);
  if (!tif) return false;
  uint32_t width = 0, height = 0, rows_per_strip = 0;
  uint16_t bits = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows_per_strip);
  bool read = width == uint32_t(kWidth) && height == uint32_t(kHeight) &&
              AllocatePixels(image, kWidth, kHeight, 24) == Status::kOk;
  // Host order: libtiff swaps 16-bit samples of a foreign byte order.
  const size_t sample = bits / 8;
  const size_t row_bytes = size_t{kWidth} * 3 * sample;
  Bytes strip(size_t(TIFFStripSize(tif)));
  for (uint32_t s = 0; read && s < TIFFNumberOfStrips(tif); ++s) {
    const tmsize_t got = TIFFReadEncodedStrip(tif, s, strip.data(), tmsize_t(strip.size()));
    read = got > 0;
    const uint32_t first = s * rows_per_strip;
    for (uint32_t r = 0; read && r < rows_per_strip && first + r < height; ++r) {
      const uint8_t* in = &strip[r * row_bytes];
      uint8_t* out = RowFromTop(*image, int32_t(first + r));
      sample == 1 ? ReorderRow<1, 0>(in, out) : ReorderRow<2, 1>(in, out);
    }
  }
  TIFFClose(tif);
  return read;
}

// The file's pixel bytes copied into fresh pages, kept by the caller so that
// freeing them is not timed, as the decoders' images are not.
PageBlock CopyPixelBytes(const Bytes& bytes, int bits) {
  const size_t pixels = size_t{kWidth} * kHeight * 3 * size_t(bits / 8);
  PageBlock block(pixels);
  // libtiff writes the strips first, from offset 8, and the directory last.
  if (block && bytes.size() >= 8 + pixels) std::memcpy(block.data(), bytes.data() + 8, pixels);
  benchmark::DoNotOptimize(block.data());
  benchmark::ClobberMemory();
  return block;
}

// The seconds each of the three took in one round, and whether both
// decoders gave the same pixels.
struct Round {
  double ours = 0, libtiff = 0, copy = 0;
  bool ok = false, same = false;
};

Round Decode(const Bytes& bytes, int bits) {
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  OwnedImage ours, theirs;
  Round r;
  const Clock::time_point start = Clock::now();
  const bool ours_read = ReadTiffBytes(bytes.data(), bytes.size(), &ours.record) == Status::kOk;
  const Clock::time_point ours_done = Clock::now();
  const bool libtiff_read = DecodeWithLibtiff(bytes, &theirs.record);
  const Clock::time_point libtiff_done = Clock::now();
  const PageBlock copied = CopyPixelBytes(bytes, bits);
  r.copy = seconds(Clock::now() - libtiff_done);
  r.ours = seconds(ours_done - start);
  r.libtiff = seconds(libtiff_done - ours_done);
  r.ok = ours_read && libtiff_read;
  r.same = r.ok && std::memcmp(ours.record.pixels, theirs.record.pixels, size_t{Stride(ours.record)} * kHeight) == 0;
  return r;
}

void BM_TiffDecode(benchmark::State& state) {
  const int bits = int(state.range(0));
  const Bytes& bytes = Sample(bits, int(state.range(1)));
  if (bytes.empty()) {
    state.SkipWithError("libtiff could not write the file");
    return;
  }
  TIFFSetWarningHandler(nullptr);
  Round total;
  total.same = true;
  for (auto _ : state) {
    const Round r = Decode(bytes, bits);
    if (!r.ok) state.SkipWithError("a decoder failed");
    state.SetIterationTime(r.ours);
    total.ours += r.ours, total.libtiff += r.libtiff, total.copy += r.copy;
    total.same = total.same && r.same;
  }
  const double n = double(state.iterations());
  state.counters["libtiff_ms"] = 1000 * total.libtiff / n;
  state.counters["memcpy_ms"] = 1000 * total.copy / n;
  state.counters["ours/libtiff"] = total.ours / total.libtiff;
  state.counters["ours/memcpy"] = total.ours / total.copy;
  state.counters["file_MB"] = double(bytes.size()) / 1e6;
  state.counters["same_pixels"] = total.same;
}
BENCHMARK(BM_TiffDecode)
    ->ArgsProduct({{8, 16}, {1, kManyStrips}})
    ->ArgNames({"bits", "strips"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

}  // namespace
