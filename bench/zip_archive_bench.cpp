// Reading ZIP archives: listing one of 10,000 members and extracting a
// deflated 20-megapixel PNG member, ours beside libarchive's ZIP reader on
// the same files in the same run. libarchive is linked by the benchmarks
// only, never by the program.
#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/memory_sink.h"
#include "codecs/png_writer.h"
#include "codecs/zip_archive.h"
#include "tests/unit/zip_maker.h"

namespace {

constexpr int kMembers = 10000;
constexpr int kWidth = 5000, kHeight = 4000;

std::string WriteArchive(const std::string& name, const MadeZip& zip) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(zip.bytes.data()), std::streamsize(zip.bytes.size()));
  return path;
}

// Camera-like names in a few folders; small stored members, as an archive
// of thumbnails or scans holds them.
const std::string& ManyMembers() {
  static const std::string path = [] {
    std::vector<MadeMember> members;
    char name[64];
    for (int i = 0; i < kMembers; ++i) {
      std::snprintf(name, sizeof name, "roll%02d/IMG_%05d.JPG", i % 40, i);
      members.push_back({name, std::vector<uint8_t>(64, uint8_t(i)), 0, 0, uint16_t(0x5000 + i % 300), 0});
    }
    return WriteArchive("ovira-bench-many.zip", MakeZip(members));
  }();
  return path;
}

const std::string& PhotoMember() {
  static const std::string path = [] {
    std::vector<uint8_t> bgr = SyntheticPhotograph(kWidth, kHeight);
    const ImageBuffer image = BorrowedImage(bgr, kWidth, kHeight);
    PngWriteContext c;
    c.compression_level = 6;
    MemorySink png;
    WritePng(image, c, &png);
    MadeMember member{"photos/large.png", png.bytes(), 8};
    return WriteArchive("ovira-bench-photo.zip", MakeZip({member}));
  }();
  return path;
}

// libarchive's reader that goes by the central directory, as ours does.
archive* OpenWithLibarchive(const std::string& path) {
  archive* reader = archive_read_new();
  archive_read_support_format_zip_seekable(reader);
  archive_read_open_filename(reader, path.c_str(), 64 * 1024);
  return reader;
}

void BM_ZipList_Ovira(benchmark::State& state) {
  const std::string& path = ManyMembers();
  for (auto _ : state) {
    ZipArchive archive;
    if (archive.Open(path.c_str()) != ZipStatus::kOk) state.SkipWithError("not listed");
    benchmark::DoNotOptimize(archive.Members().data());
  }
}
BENCHMARK(BM_ZipList_Ovira)->Unit(benchmark::kMillisecond);

// The same facts per member: wide name, size and time.
void BM_ZipList_Libarchive(benchmark::State& state) {
  const std::string& path = ManyMembers();
  for (auto _ : state) {
    archive* reader = OpenWithLibarchive(path);
    archive_entry* entry;
    int count = 0;
    while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
      benchmark::DoNotOptimize(archive_entry_pathname_w(entry));
      benchmark::DoNotOptimize(archive_entry_size(entry));
      benchmark::DoNotOptimize(archive_entry_mtime(entry));
      ++count;
    }
    archive_read_free(reader);
    if (count != kMembers) state.SkipWithError("not listed");
  }
}
BENCHMARK(BM_ZipList_Libarchive)->Unit(benchmark::kMillisecond);

void BM_ZipExtract_Ovira(benchmark::State& state) {
  const std::string& path = PhotoMember();
  ZipArchive archive;
  if (archive.Open(path.c_str()) != ZipStatus::kOk) state.SkipWithError("not listed");
  const uint32_t key = archive.Members()[0].key;
  for (auto _ : state) {
    ZipArchive fresh;  // the viewer opens the archive for each extraction
    fresh.Open(path.c_str());
    ZipExtracted out;
    if (fresh.Extract(key, &out) != ZipStatus::kOk) state.SkipWithError("not extracted");
    benchmark::DoNotOptimize(out.block.data());
  }
}
BENCHMARK(BM_ZipExtract_Ovira)->Unit(benchmark::kMillisecond);

// Into one buffer of the member's size, as our block is.
void BM_ZipExtract_Libarchive(benchmark::State& state) {
  const std::string& path = PhotoMember();
  for (auto _ : state) {
    archive* reader = OpenWithLibarchive(path);
    archive_entry* entry;
    if (archive_read_next_header(reader, &entry) != ARCHIVE_OK) state.SkipWithError("not listed");
    std::vector<uint8_t> out(size_t(archive_entry_size(entry)) + 4);
    size_t done = 0;
    while (done < out.size()) {
      const la_ssize_t got = archive_read_data(reader, out.data() + done, out.size() - done);
      if (got <= 0) break;
      done += size_t(got);
    }
    archive_read_free(reader);
    if (done + 4 != out.size()) state.SkipWithError("not extracted");
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ZipExtract_Libarchive)->Unit(benchmark::kMillisecond);

}  // namespace
