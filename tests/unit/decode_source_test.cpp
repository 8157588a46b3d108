#include "image/decode_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

#include "tests/unit/test_files.h"

namespace {

TEST(DecodeSource, MapsTheWholeFileWithItsWriteTime) {
  TempDir dir;
  std::vector<uint8_t> bytes(10000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 13);
  std::string path = dir.Write("a.bin", bytes);

  ImageBuffer target{};
  DecodeSource source;
  ASSERT_TRUE(OpenFileSource(&source, path.c_str(), &target));
  EXPECT_EQ(source.status, Status::kOk);
  EXPECT_EQ(source.target, &target);
  EXPECT_EQ(source.cursor, source.start);
  ASSERT_EQ(source.size(), bytes.size());
  EXPECT_EQ(std::memcmp(source.start, bytes.data(), bytes.size()), 0);

  // FILETIME counts 100 ns ticks from 1601; the file was written just now.
  FileTimeValue t = source.file.last_write_time();
  uint64_t ticks = (uint64_t{t.high} << 32) | t.low;
  int64_t unix_seconds = int64_t(ticks / 10000000) - 11644473600LL;
  EXPECT_LT(std::llabs(unix_seconds - int64_t(std::time(nullptr))), 600);
}

TEST(DecodeSource, CopyOnWriteNeverChangesTheFile) {
  TempDir dir;
  std::string path = dir.Write("b.jpg", {0xFF, 0xD8, 1, 2, 3});
  ImageBuffer target{};
  DecodeSource source;
  ASSERT_TRUE(OpenFileSource(&source, path.c_str(), &target, MapMode::kCopyOnWrite));
  MutableStart(&source)[2] = 0x77;
  EXPECT_EQ(source.start[2], 0x77);
  source.file.Close();
  EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{0xFF, 0xD8, 1, 2, 3}));
}

TEST(DecodeSource, UnreadableSourcesReportReadFailure) {
  TempDir dir;
  ImageBuffer target{};
  for (std::string path : {dir.File("missing"), dir.path(), dir.Write("empty", {})}) {
    DecodeSource source;
    EXPECT_FALSE(OpenFileSource(&source, path.c_str(), &target)) << path;
    EXPECT_EQ(source.status, Status::kReadFailed) << path;
    EXPECT_EQ(source.size(), 0u);
  }
}

TEST(DecodeSource, MemorySourceOwnsItsBlock) {
  PageBlock block(5000);
  ASSERT_TRUE(block);
  block.data()[4999] = 9;
  const uint8_t* data = block.data();
  ImageBuffer target{};
  DecodeSource source;
  OpenMemorySource(&source, std::move(block), 4000, &target);
  EXPECT_FALSE(block);
  EXPECT_EQ(source.start, data);
  EXPECT_EQ(source.size(), 4000u);
  EXPECT_EQ(source.status, Status::kOk);
}

}  // namespace
