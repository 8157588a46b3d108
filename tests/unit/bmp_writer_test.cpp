#include "codecs/bmp_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/memory_sink.h"
#include "codecs/output_file.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/test_files.h"

namespace {

std::vector<uint8_t> Written(const ImageBuffer& image, int bits, bool dither = false) {
  MemorySink sink;
  EXPECT_EQ(WriteBmp(image, bits, dither, &sink), Status::kOk);
  return sink.bytes();
}

struct ReadBack {
  explicit ReadBack(const std::vector<uint8_t>& bytes) {
    status = ReadBmpBytes(bytes.data(), bytes.size(), &image.record);
  }
  TestImage image{1, 1, 24};
  Status status;
};

TEST(BmpWriter, HeaderFields) {
  SampleImage colour;
  std::vector<uint8_t> bytes = Written(colour.record, 24);
  ASSERT_EQ(bytes.size(), 54u + 16 * 3);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  struct Field { size_t offset; int width; uint32_t value; };
  const Field fields[] = {{2, 4, uint32_t(bytes.size())}, {6, 4, 0}, {10, 4, 54}, {14, 4, 40},
                          {18, 4, 5}, {22, 4, 3}, {26, 2, 1}, {28, 2, 24}, {30, 4, 0}, {34, 4, 0},
                          {38, 4, 2835}, {42, 4, 1000}, {46, 4, 0}, {50, 4, 0}};
  for (const Field& f : fields) {
    EXPECT_EQ(f.width == 2 ? LoadU16(&bytes[f.offset]) : LoadU32(&bytes[f.offset]), f.value) << f.offset;
  }

  std::vector<uint8_t> one = Written(colour.record, 1);
  EXPECT_EQ(LoadU32(&one[10]), 62u);
  EXPECT_EQ(LoadU32(&one[46]), 2u);
  EXPECT_EQ(one.size(), 62u + 4 * 3);

  TestImage palette(3, 2, 8);
  palette.record.palette[7] = {1, 2, 3, 99};
  std::vector<uint8_t> eight = Written(palette.record, 8);
  EXPECT_EQ(LoadU32(&eight[10]), 1078u);
  EXPECT_EQ(LoadU32(&eight[46]), 256u);
  EXPECT_EQ(eight.size(), 1078u + 4 * 2);
  EXPECT_EQ((std::vector<uint8_t>(&eight[54 + 28], &eight[54 + 32])), (std::vector<uint8_t>{1, 2, 3, 0}));

  std::vector<uint8_t> four = Written(colour.record, 4);
  EXPECT_EQ(LoadU32(&four[10]), 118u);
  EXPECT_EQ(LoadU32(&four[46]), 16u);
}

TEST(BmpWriter, EveryDepthReadsBack) {
  SampleImage colour;
  for (int bits : {24, 8, 4}) {
    ReadBack back(Written(colour.record, bits));
    ASSERT_EQ(back.status, Status::kOk) << bits;
    EXPECT_EQ(back.image.record.source_bits_per_pixel, uint32_t(bits));
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(back.image.Rgb(x, y), SampleColour(x, y)) << bits;
    }
  }
  // Eleven colours listed in order of first appearance, bottom row first.
  ReadBack four(Written(colour.record, 4));
  const RgbQuad* p = four.image.record.palette;
  EXPECT_EQ((std::vector<int>{p[0].red, p[1].red, p[2].red, p[5].red, p[10].red, p[10].blue}),
            (std::vector<int>{0xAB, 0, 0xFF, 0x80, 0, 0xFF}));
  EXPECT_EQ(p[11].red + p[11].green + p[11].blue, 0);

  ReadBack one(Written(colour.record, 1));
  ASSERT_EQ(one.status, Status::kOk);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint32_t c = SampleColour(x, y);
      const bool white = (c & 0xFF) * 114 + ((c >> 8) & 0xFF) * 587 + (c >> 16) * 299 >= 128000;
      EXPECT_EQ(one.image.Rgb(x, y), white ? 0xFFFFFFu : 0u) << x << "," << y;
    }
  }

  // 8-bit images: same depth copies palette and indices, 24 bits looks them up.
  ReadBack eight(Written(colour.record, 8));
  ReadBack again(Written(eight.image.record, 8));
  ReadBack wide(Written(eight.image.record, 24));
  ReadBack few(Written(eight.image.record, 4));
  for (const ReadBack* r : {&again, &wide, &few}) {
    ASSERT_EQ(r->status, Status::kOk);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(r->image.Rgb(x, y), SampleColour(x, y));
    }
  }
  EXPECT_EQ(std::memcmp(again.image.record.palette, eight.image.record.palette, 1024), 0);
}

TEST(BmpWriter, ReducedDepthsKeepTheirPalettes) {
  TestImage ramp(40, 2, 24);
  for (int x = 0; x < 40; ++x) {
    ramp.Set(x, 0, uint32_t(x * 6) << 16 | 0x40);
    ramp.Set(x, 1, uint32_t(x * 6));
  }
  for (bool dither : {false, true}) {
    std::vector<uint8_t> bytes = Written(ramp.record, 4, dither);
    ReadBack back(bytes);
    ASSERT_EQ(back.status, Status::kOk);
    for (int i = 0; i < 16; ++i) {
      const RgbQuad& c = back.image.record.palette[i];
      EXPECT_EQ((std::vector<uint8_t>{c.blue, c.green, c.red}),
                (std::vector<uint8_t>(&bytes[54 + 4 * i], &bytes[54 + 4 * i + 3])));
    }
  }
}

TEST(BmpWriter, EveryRefusedWriteFailsTheSave) {
  SampleImage colour;
  for (int bits : {24, 8, 1}) {
    const size_t size = Written(colour.record, bits).size();
    for (size_t capacity = 0; capacity < size; ++capacity) {
      MemorySink full(capacity);
      EXPECT_EQ(WriteBmp(colour.record, bits, false, &full), Status::kCannotWrite)
          << bits << " " << capacity;
    }
  }
}

TEST(BmpWriter, DepthsTheFormatDoesNotOffer) {
  SampleImage colour;
  MemorySink sink;
  for (int bits : {0, 2, 16, 32}) {
    EXPECT_EQ(WriteBmp(colour.record, bits, false, &sink), Status::kEncodeFailed);
  }
  EXPECT_TRUE(sink.bytes().empty());
}

TEST(OutputFile, WritesAndReportsAFullDevice) {
  TempDir dir;
  const std::string path = dir.File("out.bin");
  OutputFile file;
  ASSERT_TRUE(file.Create(path.c_str()));
  EXPECT_TRUE(file.Write("abc", 3));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{'a', 'b', 'c'}));

  OutputFile full;
  if (!full.Create("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(full.Write("abc", 3));
  EXPECT_FALSE(full.Write("d", 1));  // stays failed
  EXPECT_FALSE(full.Close());
  EXPECT_FALSE(OutputFile().Create(dir.File("missing/x").c_str()));
}

}  // namespace
