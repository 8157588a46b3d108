// The TIFF writer's files taken apart byte by byte: the layout of each depth,
// the directory in its fixed order, the values behind it, and the strip; and
// every depth read back by our own reader.
#include <gtest/gtest.h>

#include <vector>

#include "app/little_endian.h"
#include "codecs/image_encoders.h"
#include "codecs/memory_sink.h"
#include "codecs/tiff_reader.h"
#include "codecs/tiff_writer.h"
#include "tests/unit/image_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Entry {
  uint16_t tag, type;
  uint32_t count, value;
  bool operator==(const Entry&) const = default;
};

struct WrittenTiff {
  Bytes file;
  std::vector<Entry> entries;
  uint32_t next_directory = 1;

  uint32_t Value(uint16_t tag) const {
    for (const Entry& e : entries) {
      if (e.tag == tag) return e.value;
    }
    ADD_FAILURE() << "no tag " << tag;
    return 0;
  }
  uint32_t U32At(uint32_t offset) const { return LoadU32(file.data() + offset); }
  uint16_t U16At(uint32_t offset) const { return LoadU16(file.data() + offset); }
  const uint8_t* Strip() const { return file.data() + Value(273); }
};

WrittenTiff TakeApart(Bytes file) {
  WrittenTiff t;
  t.file = std::move(file);
  const Bytes& f = t.file;
  EXPECT_GE(f.size(), 8u);
  if (f.size() < 8) return t;
  EXPECT_EQ(f[0], 'I');
  EXPECT_EQ(f[1], 'I');
  EXPECT_EQ(LoadU16(&f[2]), 42);
  EXPECT_EQ(LoadU32(&f[4]), 8u);
  const uint16_t count = LoadU16(&f[8]);
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = &f[10 + 12 * i];
    t.entries.push_back({LoadU16(e), LoadU16(e + 2), LoadU32(e + 4), LoadU32(e + 8)});
  }
  t.next_directory = LoadU32(&f[10 + 12 * count]);
  return t;
}

TiffWriteContext AtBits(int bits, bool grey = false) {
  TiffWriteContext c;
  c.bits = bits;
  c.grey = grey;
  return c;
}

Bytes Written(const ImageBuffer& image, const TiffWriteContext& c) {
  MemorySink sink;
  EXPECT_EQ(WriteTiff(image, c, &sink), Status::kOk) << c.bits;
  return sink.bytes();
}

// Fifteen colours over a 7 x 5 picture, so 4 bits hold it exactly.
class FifteenColours : public TestImage {
 public:
  FifteenColours() : TestImage(7, 5, 24) {
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) Set(x, y, Colour(x, y));
    }
  }
  static uint32_t Colour(int x, int y) {
    const int k = (x + 7 * y) % 15;
    return uint32_t(k * 17) << 16 | uint32_t(255 - k * 13) << 8 | uint32_t(k * 40 % 256);
  }
};

constexpr uint16_t kShort = 3, kLong = 4, kRational = 5;

TEST(TiffWriter, EachDepthHasItsLayoutAndDirectoryOrder) {
  FifteenColours image;
  struct Case {
    int bits;
    bool grey;
    uint16_t photometric;
    uint32_t strip_offset;
    uint32_t row_bytes;
  };
  const Case cases[] = {
      {1, false, 1, 162, 1}, {4, false, 3, 270, 4}, {8, true, 1, 162, 7},
      {8, false, 3, 1710, 7}, {24, false, 2, 180, 21},
  };
  for (const Case& k : cases) {
    const WrittenTiff t = TakeApart(Written(image.record, AtBits(k.bits, k.grey)));
    const bool rgb = k.bits == 24, palette = k.photometric == 3;
    const uint32_t behind = rgb || palette ? 158 : 146;  // after 12 or 11 entries
    const uint32_t x_resolution = behind + (rgb ? 6 : 0);
    std::vector<Entry> expected = {
        {256, kLong, 1, 7},
        {257, kLong, 1, 5},
        rgb ? Entry{258, kShort, 3, 158} : Entry{258, kShort, 1, uint32_t(k.bits)},
        {259, kShort, 1, 1},
        {262, kShort, 1, k.photometric},
        {273, kLong, 1, k.strip_offset},
    };
    if (rgb) expected.push_back({277, kShort, 1, 3});
    expected.insert(expected.end(), {{278, kLong, 1, 5},
                                     {279, kLong, 1, 5 * k.row_bytes},
                                     {282, kRational, 1, x_resolution},
                                     {283, kRational, 1, x_resolution + 8},
                                     {296, kShort, 1, 2}});
    if (palette) expected.push_back({320, kShort, 3u << k.bits, x_resolution + 16});
    EXPECT_EQ(t.entries, expected) << k.bits << (k.grey ? " grey" : "");
    EXPECT_EQ(t.next_directory, 0u);
    EXPECT_EQ(t.file.size(), k.strip_offset + 5 * k.row_bytes) << k.bits;
    if (rgb) {
      EXPECT_EQ(t.U16At(158), 8);
      EXPECT_EQ(t.U16At(160), 8);
      EXPECT_EQ(t.U16At(162), 8);
    }
  }
}

TEST(TiffWriter, FourBitPaletteHasTwelveEntriesAndItsStripAt270) {
  FifteenColours image;
  const WrittenTiff t = TakeApart(Written(image.record, AtBits(4)));
  ASSERT_EQ(t.entries.size(), 12u);
  EXPECT_EQ(t.Value(273), 270u);
  EXPECT_EQ(t.Value(320), 174u);
  // Each map value is the colour's byte times 257, full intensity at 65535;
  // the strip's first index is the picture's top left pixel.
  const uint8_t first = t.Strip()[0] >> 4;
  const uint32_t colour = FifteenColours::Colour(0, 0);
  EXPECT_EQ(t.U16At(174 + 2 * first), (colour >> 16) * 257);
  EXPECT_EQ(t.U16At(174 + 32 + 2 * first), (colour >> 8 & 0xFF) * 257);
  EXPECT_EQ(t.U16At(174 + 64 + 2 * first), (colour & 0xFF) * 257);
}

TEST(TiffWriter, ResolutionIsInchesOverTenThousand) {
  FifteenColours image;
  struct Case {
    int32_t pixels_per_metre;
    uint32_t numerator, denominator;
  };
  const Case cases[] = {
      {0, 0, 10000},                   // no resolution
      {2835, 720090, 10000},           // 72.009 pixels per inch
      {-5, 0, 10000},                  // nonsense is none
      {INT32_MAX, 54546085, 1},        // too fine for the denominator: whole inches
  };
  for (const Case& k : cases) {
    TiffWriteContext c = AtBits(24);
    c.x_resolution = k.pixels_per_metre;
    c.y_resolution = 1000;
    const WrittenTiff t = TakeApart(Written(image.record, c));
    EXPECT_EQ(t.U32At(t.Value(282)), k.numerator) << k.pixels_per_metre;
    EXPECT_EQ(t.U32At(t.Value(282) + 4), k.denominator) << k.pixels_per_metre;
    EXPECT_EQ(t.U32At(t.Value(283)), 254000u);
    EXPECT_EQ(t.U32At(t.Value(283) + 4), 10000u);
  }
}

TEST(TiffWriter, RgbStripRunsFromThePictureTopInRedGreenBlue) {
  FifteenColours image;
  const WrittenTiff t = TakeApart(Written(image.record, AtBits(24)));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      const uint8_t* p = t.Strip() + 21 * y + 3 * x;
      EXPECT_EQ(uint32_t(p[0]) << 16 | p[1] << 8 | p[2], FifteenColours::Colour(x, y));
    }
  }
}

// Each depth read back: exact where the depth holds every colour, the
// luminance for grey, black and white by the threshold for one bit.
TEST(TiffWriter, EveryDepthReadsBack) {
  FifteenColours image;
  for (int bits : {24, 8, 4}) {
    const Bytes file = Written(image.record, AtBits(bits));
    OwnedImage back;
    ASSERT_EQ(ReadTiffBytes(file.data(), file.size(), &back.record), Status::kOk) << bits;
    EXPECT_EQ(back.record.header.bit_count, bits == 24 ? 24 : 8);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) EXPECT_EQ(PixelRgb(back.record, x, y), image.Rgb(x, y)) << bits;
    }
  }
  TestImage grey_source(3, 2, 8);
  const uint32_t colours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  for (int i = 0; i < 6; ++i) {
    grey_source.SetEntry(i, colours[i]);
    grey_source.SetIndex(i % 3, i / 3, uint8_t(i));
  }
  const uint8_t luminance[] = {0, 255, 76, 150, 29, 128};
  const uint8_t white[] = {0, 1, 0, 1, 0, 1};
  for (int bits : {8, 1}) {
    const Bytes file = Written(grey_source.record, AtBits(bits, true));
    OwnedImage back;
    ASSERT_EQ(ReadTiffBytes(file.data(), file.size(), &back.record), Status::kOk) << bits;
    for (int i = 0; i < 6; ++i) {
      const uint32_t got = PixelRgb(back.record, i % 3, i / 3);
      const uint32_t level = bits == 8 ? luminance[i] : white[i] * 255u;
      EXPECT_NEAR(double(got & 0xFF), double(level), bits == 8 ? 1 : 0) << bits << " " << i;
      EXPECT_EQ(got, (got & 0xFF) * 0x010101u) << "grey";
    }
  }
}

TEST(TiffWriter, RefusesWhatItCannotWrite) {
  FifteenColours image;
  for (int bits : {0, 2, 16, 32}) {
    MemorySink sink;
    EXPECT_EQ(WriteTiff(image.record, AtBits(bits), &sink), Status::kCannotWrite) << bits;
    EXPECT_TRUE(sink.bytes().empty());
  }
  // A strip of more than 4 GiB is refused from the sizes alone.
  ImageBuffer huge{};
  ResetImageBuffer(&huge);
  huge.header.width = 40000;
  huge.header.height = 40000;
  huge.header.bit_count = 24;
  MemorySink nothing;
  EXPECT_EQ(WriteTiff(huge, AtBits(24), &nothing), Status::kCannotWrite);
  EXPECT_TRUE(nothing.bytes().empty());
  MemorySink full(100);
  EXPECT_EQ(WriteTiff(image.record, AtBits(24), &full), Status::kCannotWrite);
}

TEST(TiffWriter, SaveOptionsReachTheWriter) {
  FifteenColours image;
  image.record.header.x_pels_per_meter = 3937;
  SaveOptions o;
  o.type = kSaveTiff;
  o.tiff_depth = 8;
  o.tiff_grey = true;
  MemorySink sink;
  ASSERT_EQ(EncodeImage(image.record, o, &sink, nullptr), Status::kOk);
  const WrittenTiff t = TakeApart(sink.bytes());
  EXPECT_EQ(t.Value(262), 1u);
  EXPECT_EQ(t.Value(258), 8u);
  EXPECT_EQ(t.U32At(t.Value(282)), 3937u * 254);
}

}  // namespace
