// The TIFF reader on files built here entry by entry, in both byte orders:
// every photometric interpretation and depth it shows, strips joined in
// order, resolution, and the status of every broken or unsupported file.
#include "codecs/tiff_reader.h"

#include <gtest/gtest.h>

#include "app/little_endian.h"
#include "tests/unit/tiff_test_support.h"

namespace {

using tiff_test::Bytes;
using tiff_test::kLong;
using tiff_test::kShort;
using tiff_test::TiffBuilder;

enum : uint16_t {
  kWidth = 256,
  kLength = 257,
  kBits = 258,
  kCompression = 259,
  kPhotometric = 262,
  kFillOrder = 266,
  kDescription = 270,
  kXResolution = 282,
  kYResolution = 283,
  kPlanar = 284,
  kUnit = 296,
  kColorMap = 320,
};

// A one-sample image of `width` x `height` with the given rows as one strip.
TiffBuilder Single(int width, int height, int bits, int photometric, const Bytes& rows, bool big = false) {
  TiffBuilder b(big);
  b.Long(kWidth, uint32_t(width)).Long(kLength, uint32_t(height)).Short(kBits, uint32_t(bits));
  b.Short(kCompression, 1).Short(kPhotometric, uint32_t(photometric)).Strips({rows});
  return b;
}

Status Read(const Bytes& file, OwnedImage* image, LoadResults* results = nullptr) {
  return ReadTiffBytes(file.data(), file.size(), &image->record, results);
}

uint8_t Grey(const ImageBuffer& image, int x, int y) { return RowFromTop(image, y)[x]; }

TEST(TiffReader, GreyRampsAtEveryDepthAndBothSenses) {
  struct Case {
    int bits;
    Bytes row;  // 4 pixels
    uint8_t indices[4];
    int step;
  };
  const Case cases[] = {
      {1, {0xA0}, {1, 0, 1, 0}, 255},
      {4, {0x0F, 0x3C}, {0, 15, 3, 12}, 17},
      {8, {0, 255, 7, 200}, {0, 255, 7, 200}, 1},
  };
  for (const Case& c : cases) {
    for (int photometric : {0, 1}) {
      for (bool big : {false, true}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, photometric " << photometric << ", big " << big);
        OwnedImage image;
        ASSERT_EQ(Read(Single(4, 1, c.bits, photometric, c.row, big).Build(), &image), Status::kOk);
        const ImageBuffer& r = image.record;
        EXPECT_EQ(r.header.bit_count, 8);
        EXPECT_EQ(r.source_format, kSourceTiff);
        EXPECT_EQ(r.source_bits_per_pixel, uint32_t(c.bits));
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Grey(r, x, 0), c.indices[x]);
        const int entries = 1 << c.bits;
        for (int i = 0; i < entries; ++i) {
          const int level = photometric == 0 ? 255 - c.step * i : c.step * i;
          EXPECT_EQ(r.palette[i].red, level);
          EXPECT_EQ(r.palette[i].green, level);
          EXPECT_EQ(r.palette[i].blue, level);
        }
      }
    }
  }
}

TEST(TiffReader, RowsGoBottomUpAndStripsJoinInOrder) {
  // 3 x 4 pixels at 8 bits in four strips of one row, then in three strips
  // that split rows.
  const Bytes rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::vector<std::vector<Bytes>> splits = {
      {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}},
      {{1, 2}, {3, 4, 5, 6, 7}, {8, 9, 10, 11, 12}},
  };
  for (uint16_t type : {kShort, kLong}) {
    for (const auto& strips : splits) {
      TiffBuilder b;
      b.Short(kWidth, 3).Short(kLength, 4).Short(kPhotometric, 1).Short(kBits, 8).Strips(strips, type);
      OwnedImage image;
      ASSERT_EQ(Read(b.Build(), &image), Status::kOk);
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Grey(image.record, x, y), rows[size_t(y * 3 + x)]);
      }
      EXPECT_EQ(RowFromBottom(image.record, 0)[0], 10);
    }
  }
}

// Points StripOffsets of a little-endian file with two LONG offsets at new
// places.
void MoveStrips(Bytes* file, uint32_t first, uint32_t second) {
  const uint32_t entries = LoadU16(&(*file)[8]);
  for (uint32_t i = 0; i < entries; ++i) {
    uint8_t* entry = &(*file)[10 + 12 * i];
    if (LoadU16(entry) != 273) continue;
    uint8_t* offsets = &(*file)[LoadU32(entry + 8)];
    StoreU32(first, offsets);
    StoreU32(second, offsets + 4);
  }
}

TEST(TiffReader, StripsStoredOutOfOrderAreJoinedInStripOrder) {
  // The top row's strip is stored behind the bottom row's, or overlaps it.
  TiffBuilder b;
  b.Short(kWidth, 3).Short(kLength, 2).Short(kPhotometric, 1).Short(kBits, 8);
  Bytes file = b.Strips({{4, 5, 6}, {1, 2, 3}, {9, 9}}).Build();
  const uint32_t end = uint32_t(file.size());
  for (const uint32_t second : {end - 8, end - 3}) {
    MoveStrips(&file, end - 5, second);
    OwnedImage image;
    ASSERT_EQ(Read(file, &image), Status::kOk);
    const uint8_t* top = RowFromTop(image.record, 0);
    const uint8_t* bottom = RowFromTop(image.record, 1);
    EXPECT_EQ((Bytes{top, top + 3}), (Bytes{1, 2, 3}));
    EXPECT_EQ((Bytes{bottom, bottom + 3}), second == end - 8 ? (Bytes{4, 5, 6}) : (Bytes{3, 9, 9}));
  }
}

TEST(TiffReader, LeastSignificantBitFirstBytesAreTurnedAround) {
  // FillOrder 2 at 1 and 8 bits, in two strips.
  struct Case {
    int bits;
    std::vector<Bytes> strips;
    uint8_t indices[4];  // the top row's first pixels
  };
  const Case cases[] = {
      {1, {{0x05}, {0x80}}, {1, 0, 1, 0}},
      {8, {{0x01, 0x80, 0x0F, 0xC2}, {0, 0, 0, 0}}, {0x80, 0x01, 0xF0, 0x43}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    TiffBuilder b;
    b.Short(kWidth, 4).Short(kLength, 2).Short(kBits, uint32_t(c.bits)).Short(kPhotometric, 1);
    b.Short(kFillOrder, 2).Strips(c.strips);
    OwnedImage image;
    ASSERT_EQ(Read(b.Build(), &image), Status::kOk);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Grey(image.record, x, 0), c.indices[x]);
  }
}

TEST(TiffReader, PaletteTakesTheHighBytesOfTheColourMap) {
  for (bool big : {false, true}) {
    TiffBuilder b = Single(2, 1, 4, 3, {0x1F}, big);
    std::vector<uint32_t> map(48, 0);
    map[1] = 0x12FF;       // red of entry 1
    map[16 + 1] = 0x3400;  // green
    map[32 + 1] = 0x56AA;  // blue
    map[15] = 0xFF00;
    b.Values(kColorMap, kShort, map);
    OwnedImage image;
    ASSERT_EQ(Read(b.Build(), &image), Status::kOk);
    const ImageBuffer& r = image.record;
    EXPECT_EQ(Grey(r, 0, 0), 1);
    EXPECT_EQ(Grey(r, 1, 0), 15);
    EXPECT_EQ(r.palette[1].red, 0x12);
    EXPECT_EQ(r.palette[1].green, 0x34);
    EXPECT_EQ(r.palette[1].blue, 0x56);
    EXPECT_EQ(r.palette[15].red, 0xFF);
    EXPECT_EQ(r.source_bits_per_pixel, 4u);
  }
}

TEST(TiffReader, PaletteWithoutAWholeMapIsRefused) {
  OwnedImage image;
  EXPECT_EQ(Read(Single(2, 1, 8, 3, {0, 1}).Build(), &image), Status::kUnsupported);
  EXPECT_EQ(image.record.pixels, nullptr);
  // The map's offset points behind the file's end.
  TiffBuilder b = Single(2, 1, 8, 3, {0, 1});
  b.Raw(kColorMap, kShort, 768, {0xF0, 0xFF, 0, 0});
  EXPECT_EQ(Read(b.Build(), &image), Status::kReadFailed);
}

TiffBuilder Rgb(int bits, const Bytes& samples, bool big) {
  TiffBuilder b(big);
  b.Short(kWidth, 2).Short(kLength, 1).Values(kBits, kShort, {uint32_t(bits), uint32_t(bits), uint32_t(bits)});
  b.Short(kPhotometric, 2).Strips({samples});
  return b;
}

TEST(TiffReader, RgbBecomesBlueGreenRedAndSixteenBitsKeepTheHighByte) {
  OwnedImage image;
  ASSERT_EQ(Read(Rgb(8, {1, 2, 3, 4, 5, 6}, false).Build(), &image), Status::kOk);
  const uint8_t* row = RowFromTop(image.record, 0);
  EXPECT_EQ(image.record.header.bit_count, 24);
  EXPECT_EQ((Bytes{row, row + 6}), (Bytes{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(image.record.source_bits_per_pixel, 24u);

  const Bytes big = {0x11, 0xFF, 0x22, 0xFF, 0x33, 0xFF, 0x44, 0, 0x55, 0, 0x66, 0};
  ASSERT_EQ(Read(Rgb(16, big, true).Build(), &image), Status::kOk);
  row = RowFromTop(image.record, 0);
  EXPECT_EQ((Bytes{row, row + 6}), (Bytes{0x33, 0x22, 0x11, 0x66, 0x55, 0x44}));
  EXPECT_EQ(image.record.source_bits_per_pixel, 48u);

  const Bytes little = {0xFF, 0x11, 0xFF, 0x22, 0xFF, 0x33, 0, 0x44, 0, 0x55, 0, 0x66};
  ASSERT_EQ(Read(Rgb(16, little, false).Build(), &image), Status::kOk);
  row = RowFromTop(image.record, 0);
  EXPECT_EQ((Bytes{row, row + 6}), (Bytes{0x33, 0x22, 0x11, 0x66, 0x55, 0x44}));
}

TEST(TiffReader, UnsupportedDepthsAndInterpretationsAreRefused) {
  OwnedImage image;
  EXPECT_EQ(Read(Rgb(4, {0, 0, 0}, false).Build(), &image), Status::kUnsupported);
  EXPECT_EQ(Read(Single(2, 1, 8, 2, {0, 0}).Build(), &image), Status::kUnsupported);  // RGB, one sample
  EXPECT_EQ(Read(Single(2, 1, 2, 1, {0}).Build(), &image), Status::kUnsupported);
  EXPECT_EQ(Read(Single(2, 1, 8, 5, {0, 0}).Build(), &image), Status::kUnsupported);
  // RGB in a plane of each sample; one sample has only one plane anyway.
  EXPECT_EQ(Read(Rgb(8, {1, 2, 3, 4, 5, 6}, false).Short(kPlanar, 2).Build(), &image), Status::kUnsupported);
  EXPECT_EQ(Read(Single(2, 1, 8, 1, {0, 0}).Short(kPlanar, 2).Build(), &image), Status::kOk);
  TiffBuilder none;
  none.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Strips({{0}});
  EXPECT_EQ(Read(none.Build(), &image), Status::kUnsupported);
}

TEST(TiffReader, CompressedFilesAreRefused) {
  for (uint32_t compression : {5u, 32773u}) {
    TiffBuilder b = Single(1, 1, 8, 1, {0});
    b.Short(kCompression, compression);
    OwnedImage image;
    EXPECT_EQ(Read(b.Build(), &image), Status::kUnsupported) << compression;
  }
}

TEST(TiffReader, DimensionsMustBeThere) {
  OwnedImage image;
  TiffBuilder missing;
  missing.Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1).Strips({{0}});
  EXPECT_EQ(Read(missing.Build(), &image), Status::kUnsupported);
  EXPECT_EQ(Read(Single(0, 1, 8, 1, {0}).Build(), &image), Status::kUnsupported);
  EXPECT_EQ(Read(Single(1, 0x80000000, 8, 1, {0}).Build(), &image), Status::kUnsupported);
  TiffBuilder rational;
  rational.Rational(kWidth, 1, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1).Strips({{0}});
  EXPECT_EQ(Read(rational.Build(), &image), Status::kCorrupt);
}

TEST(TiffReader, StripArraysMustBeSingleAndMatch) {
  OwnedImage image;
  TiffBuilder twice = Single(1, 1, 8, 1, {0});
  twice.Long(273, 8);
  EXPECT_EQ(Read(twice.Build(), &image), Status::kCorrupt);
  TiffBuilder mismatched;
  mismatched.Short(kWidth, 1).Short(kLength, 2).Short(kBits, 8).Short(kPhotometric, 1);
  mismatched.Values(273, kLong, {8, 8}).Values(279, kLong, {1});
  EXPECT_EQ(Read(mismatched.Build(), &image), Status::kCorrupt);
  TiffBuilder no_counts;
  no_counts.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1).Long(273, 8);
  EXPECT_EQ(Read(no_counts.Build(), &image), Status::kCorrupt);
  // More entries than the file could hold.
  TiffBuilder huge;
  huge.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1);
  huge.Raw(273, kLong, 0x40000000, {8, 0, 0, 0}).Raw(279, kLong, 0x40000000, {8, 0, 0, 0});
  EXPECT_EQ(Read(huge.Build(), &image), Status::kCorrupt);
}

TEST(TiffReader, StripsMustLieInTheDataAndHoldEveryRow) {
  OwnedImage image;
  TiffBuilder past;
  past.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1);
  past.Long(273, 8).Long(279, 100000);
  EXPECT_EQ(Read(past.Build(), &image), Status::kReadFailed);
  // Byte counts whose sum overflows 32 bits.
  TiffBuilder overflow;
  overflow.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1);
  overflow.Values(273, kLong, {8, 8}).Values(279, kLong, {0xFFFFFFF0u, 0x20});
  EXPECT_EQ(Read(overflow.Build(), &image), Status::kUnsupported);
  // Strips that repeat the same bytes claim more than the file holds.
  TiffBuilder repeated;
  repeated.Short(kWidth, 1).Short(kLength, 1).Short(kBits, 8).Short(kPhotometric, 1);
  repeated.Values(273, kLong, std::vector<uint32_t>(40, 0)).Values(279, kLong, std::vector<uint32_t>(40, 200));
  EXPECT_EQ(Read(repeated.Build(), &image), Status::kReadFailed);
  // Two rows of three pixels need six bytes.
  EXPECT_EQ(Read(Single(3, 2, 8, 1, {1, 2, 3, 4, 5}).Build(), &image), Status::kReadFailed);
  EXPECT_EQ(image.record.pixels, nullptr);
}

TEST(TiffReader, BrokenHeadersAndDirectoriesAreCorrupt) {
  OwnedImage image;
  Bytes file = Single(1, 1, 8, 1, {0}).Build();
  for (size_t cut : {size_t{0}, size_t{7}, size_t{12}, size_t{20}}) {
    EXPECT_EQ(Read(Bytes(file.begin(), file.begin() + long(cut)), &image), Status::kCorrupt) << cut;
  }
  Bytes wrong = file;
  wrong[2] = 43;
  EXPECT_EQ(Read(wrong, &image), Status::kCorrupt);
  wrong = file;
  wrong[0] = 'X';
  EXPECT_EQ(Read(wrong, &image), Status::kCorrupt);
  wrong = file;
  wrong[4] = 0xF0;  // directory offset behind the end
  EXPECT_EQ(Read(wrong, &image), Status::kCorrupt);
}

TEST(TiffReader, ResolutionInInchesAndCentimetres) {
  struct Case {
    uint32_t unit;
    uint32_t x_num, x_den, y_num, y_den;
    int32_t x, y;
  };
  const Case cases[] = {
      {2, 72, 1, 300, 1, 2835, 11811},  // 72 / 0.0254 = 2834.6, 300 / 0.0254 = 11811.02
      {3, 2835, 100, 1181, 10, 2835, 11810},
      {1, 72, 1, 72, 1, 0, 0},
      {2, 72, 0, 72, 1, 0, 0},
  };
  for (const Case& c : cases) {
    for (bool big : {false, true}) {
      TiffBuilder b = Single(1, 1, 8, 1, {0}, big);
      b.Rational(kXResolution, c.x_num, c.x_den).Rational(kYResolution, c.y_num, c.y_den).Short(kUnit, c.unit);
      OwnedImage image;
      ASSERT_EQ(Read(b.Build(), &image), Status::kOk);
      EXPECT_EQ(image.record.header.x_pels_per_meter, c.x) << c.unit;
      EXPECT_EQ(image.record.header.y_pels_per_meter, c.y) << c.unit;
    }
  }
  // The inch is the default unit.
  TiffBuilder b = Single(1, 1, 8, 1, {0});
  b.Rational(kXResolution, 254, 10).Rational(kYResolution, 254, 10);
  OwnedImage image;
  ASSERT_EQ(Read(b.Build(), &image), Status::kOk);
  EXPECT_EQ(image.record.header.x_pels_per_meter, 1000);
}

TEST(TiffReader, DescriptionCountsAsTheComment) {
  LoadResults results;
  OwnedImage image;
  ASSERT_EQ(Read(Single(1, 1, 8, 1, {0}).Build(), &image, &results), Status::kOk);
  EXPECT_EQ(results.comment_count, 0);
  TiffBuilder b = Single(1, 1, 8, 1, {0});
  b.Text(kDescription, "a picture");
  ASSERT_EQ(Read(b.Build(), &image, &results), Status::kOk);
  EXPECT_EQ(results.comment_count, 1);
}

}  // namespace
