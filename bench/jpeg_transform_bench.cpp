// A lossless quarter turn of a 24-megapixel 4:2:0 photograph at quality 90:
// ours against jpegtran, both reading the same file and writing a file of
// their own, jpegtran started as the process it is (start-up included). The
// counters give both times and their ratio (ours / jpegtran's). Beside it,
// the pixel turn alone that auto-rotation runs on every turned photograph.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/jpeg_library.h"
#include "codecs/jpeg_transform.h"
#include "codecs/output_file.h"
#include "effects/right_angle_turn.h"
#include "image/file_access.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kQuality = 90;
constexpr const char* kJpegtran = "/usr/bin/jpegtran";

class FileSink final : public ByteSink {
 public:
  explicit FileSink(FILE* file) : file_(file) {}
  bool Write(const void* data, size_t size) override { return std::fwrite(data, 1, size, file_) == size; }

 private:
  FILE* file_;
};

struct Encoding {
  ImageBuffer* image = nullptr;
  JpegErrorManager errors;
  jpeg_compress_struct info{};
  JpegSinkDestination destination;
};

void EncodeRows(void* context) {
  auto* e = static_cast<Encoding*>(context);
  e->info.err = &e->errors.library;
  jpeg_create_compress(&e->info);
  UseJpegSinkDestination(&e->info, &e->destination);
  e->info.image_width = kWidth;
  e->info.image_height = kHeight;
  e->info.input_components = 3;
  e->info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&e->info);
  jpeg_set_quality(&e->info, kQuality, TRUE);  // 2 x 2 luminance sampling by default
  jpeg_start_compress(&e->info, TRUE);
  for (int y = 0; y < kHeight; ++y) {
    JSAMPROW row = RowFromTop(*e->image, y);
    jpeg_write_scanlines(&e->info, &row, 1);
  }
  jpeg_finish_compress(&e->info);
}

// The photograph as a JPEG file in a private folder, made once.
struct PhotographFile {
  PhotographFile() {
    char pattern[] = "/tmp/ovira-bench-XXXXXX";
    if (!mkdtemp(pattern)) return;
    folder = pattern;
    source = folder + "/photo.jpg";
    std::vector<uint8_t> rows = SyntheticPhotograph(kWidth, kHeight);
    ImageBuffer image = BorrowedImage(rows, kWidth, kHeight);
    FILE* file = std::fopen(source.c_str(), "wb");
    if (!file) return;
    FileSink sink(file);
    Encoding encoding;
    encoding.image = &image;
    UseJpegErrorManager(&encoding.errors);
    PrepareJpegSinkDestination(&encoding.destination, &sink);
    made = RunJpegGuarded(&encoding.errors, EncodeRows, &encoding);
    jpeg_destroy_compress(&encoding.info);
    made = std::fclose(file) == 0 && made;
  }
  ~PhotographFile() {
    std::remove(source.c_str());
    std::remove((folder + "/ours.jpg").c_str());
    std::remove((folder + "/theirs.jpg").c_str());
    rmdir(folder.c_str());
  }
  bool made = false;
  std::string folder, source;
};

const PhotographFile& Photograph() {
  static const PhotographFile file;
  return file;
}

bool TurnOurs(const PhotographFile& photo) {
  MappedFile input;
  if (!input.Open(photo.source.c_str(), MapMode::kCopyOnWrite)) return false;
  OutputFile output;
  if (!output.Create((photo.folder + "/ours.jpg").c_str())) return false;
  JpegTransformOptions options;
  options.code = 3;
  options.markers = 2;
  std::string error;
  const Status status = TransformJpeg(input.mutable_data(), input.size(), options, &output, &error);
  return output.Close() && status == Status::kOk;
}

// Same work as ours: every marker kept, Huffman tables optimised.
bool TurnJpegtran(const PhotographFile& photo) {
  const std::string command = std::string(kJpegtran) + " -rotate 90 -copy all -optimize -outfile " +
                              photo.folder + "/theirs.jpg " + photo.source;
  return std::system(command.c_str()) == 0;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_JpegRotate90Of24MegapixelsAgainstJpegtran(benchmark::State& state) {
  const PhotographFile& photo = Photograph();
  if (!photo.made) {
    state.SkipWithError("the photograph could not be made");
    return;
  }
  if (access(kJpegtran, X_OK) != 0) {
    state.SkipWithError("jpegtran is not installed");
    return;
  }
  double ours = 0, theirs = 0;
  bool ok = true;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ok = TurnOurs(photo) && ok;
    const auto middle = std::chrono::steady_clock::now();
    ok = TurnJpegtran(photo) && ok;
    const auto end = std::chrono::steady_clock::now();
    ours += Seconds(middle - start), theirs += Seconds(end - middle);
  }
  if (!ok) state.SkipWithError("a transformation failed");
  const double n = static_cast<double>(state.iterations());
  state.counters["ovira_ms"] = 1000 * ours / n;
  state.counters["jpegtran_ms"] = 1000 * theirs / n;
  state.counters["time_ratio"] = ours / theirs;
}
BENCHMARK(BM_JpegRotate90Of24MegapixelsAgainstJpegtran)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PixelTurnClockwise24Megapixels(benchmark::State& state) {
  static std::vector<uint8_t> rows = SyntheticPhotograph(kWidth, kHeight);
  const ImageBuffer image = BorrowedImage(rows, kWidth, kHeight);
  for (auto _ : state) {
    ImageBuffer turned{};
    const TurnOutcome outcome = TurnImage(image, 0, kTurnClockwise, &turned);
    if (outcome.status != Status::kOk) state.SkipWithError("the turn failed");
    benchmark::DoNotOptimize(turned.pixels);
    ReleasePixels(&turned);
  }
}
BENCHMARK(BM_PixelTurnClockwise24Megapixels)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
