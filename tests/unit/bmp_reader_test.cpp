#include "codecs/bmp_reader.h"

#include <gtest/gtest.h>

#include "tests/unit/bmp_test_support.h"

namespace {

class Decoded {
 public:
  explicit Decoded(const std::vector<uint8_t>& bytes) {
    ResetImageBuffer(&image);
    status = ReadBmpBytes(bytes.data(), bytes.size(), &image);
  }
  ~Decoded() { ReleasePixels(&image); }
  uint32_t Rgb(int x, int y_from_top) const { return PixelRgb(image, x, y_from_top); }
  uint8_t Index(int x, int y_from_top) const { return RowFromTop(image, y_from_top)[x]; }

  ImageBuffer image{};
  Status status;
};

Status ReadStatus(const BmpFile& file) { return Decoded(file.Bytes()).status; }

TEST(BmpReader, OneBitTakesTwoEntriesAndTheHighBitFirst) {
  BmpFile f;
  f.width = 10, f.height = 2, f.bits = 1;
  f.palette = PaletteBytes({0x102030, 0xA0B0C0, 0x777777});
  f.pixels = {0b10110000, 0b01000000, 0, 0, /* top row */ 0xFF, 0xC0, 0, 0};
  for (uint32_t used : {0u, 2u}) {
    f.colours_used = used;
    Decoded d(f.Bytes());
    ASSERT_EQ(d.status, Status::kOk);
    EXPECT_EQ(d.image.header.bit_count, 8);
    EXPECT_EQ(d.image.source_bits_per_pixel, 1u);
    EXPECT_EQ(d.image.palette[1].red, 0xA0);
    EXPECT_EQ(d.image.palette[2].red, 0);  // only two entries remain
    const uint8_t bottom[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(d.Index(x, 1), bottom[x]) << x;
    for (int x = 0; x < 10; ++x) EXPECT_EQ(d.Index(x, 0), 1) << x;
  }
}

TEST(BmpReader, FourAndEightBitIndices) {
  BmpFile four;
  four.width = 3, four.height = 1, four.bits = 4;
  std::vector<uint8_t> palette(64);
  for (int i = 0; i < 16; ++i) palette[4 * i + 2] = uint8_t(i * 16);  // red
  four.palette = palette;
  four.pixels = {0x5A, 0xF0, 0, 0};
  Decoded d4(four.Bytes());
  ASSERT_EQ(d4.status, Status::kOk);
  EXPECT_EQ(d4.Index(0, 0), 5);
  EXPECT_EQ(d4.Index(1, 0), 10);
  EXPECT_EQ(d4.Index(2, 0), 15);
  EXPECT_EQ(d4.Rgb(2, 0), 0xF00000u);

  BmpFile eight;
  eight.width = 2, eight.height = 2, eight.bits = 8, eight.colours_used = 3;
  eight.palette = PaletteBytes({0x000001, 0x000002, 0x000003});
  eight.pixels = {2, 1, 0, 0, 0, 2, 0, 0};
  Decoded d8(eight.Bytes());
  ASSERT_EQ(d8.status, Status::kOk);
  EXPECT_EQ(d8.Rgb(0, 1), 3u);
  EXPECT_EQ(d8.Rgb(1, 0), 3u);
  EXPECT_EQ(d8.image.palette[3].blue, 0);
}

TEST(BmpReader, TwentyFourBitsWithResolutionAndSource) {
  BmpFile f;
  f.width = 2, f.height = 1, f.x_resolution = 3780, f.y_resolution = -5;
  f.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
  std::vector<uint8_t> bytes = f.Bytes();
  Decoded d(bytes);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.Rgb(0, 0), 0x030201u);
  EXPECT_EQ(d.Rgb(1, 0), 0x060504u);
  EXPECT_EQ(d.image.header.x_pels_per_meter, 3780);
  EXPECT_EQ(d.image.header.y_pels_per_meter, 0);
  EXPECT_EQ(d.image.header.size, 40u);
  EXPECT_EQ(d.image.source_format, kSourceBmp);
  EXPECT_EQ(d.image.source_size, bytes.size());
}

TEST(BmpReader, SixteenBitFields) {
  BmpFile plain;  // 5-5-5 by default
  plain.width = 2, plain.height = 1, plain.bits = 16;
  plain.pixels = {0xFF, 0x7F, 0x10, 0x42, 0, 0, 0, 0};  // 0x7FFF, 0x4210
  Decoded d(plain.Bytes());
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.image.header.bit_count, 24);
  EXPECT_EQ(d.Rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(d.Rgb(1, 0), 0x838383u);  // 16 x 255 / 31 = 131

  BmpFile wide = plain;  // 5-6-5: green scaled by 255 / 63
  wide.compression = 3;
  wide.masks = Masks(0xF800, 0x07E0, 0x001F);
  wide.pixels = {0xE0, 0x07, 0x00, 0x04, 0, 0, 0, 0};  // green 63, green 32
  Decoded w(wide.Bytes());
  ASSERT_EQ(w.status, Status::kOk);
  EXPECT_EQ(w.Rgb(0, 0), 0x00FF00u);
  EXPECT_EQ(w.Rgb(1, 0), 0x008100u);  // 32 x 255 / 63 = 129
}

TEST(BmpReader, ThirtyTwoBitRowsAreUnpadded) {
  BmpFile f;
  f.width = 3, f.height = 2, f.bits = 32;
  f.pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0};
  Decoded d(f.Bytes());
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.Rgb(0, 0), 0x0C0B0Au);  // the second row stored is the top one
  EXPECT_EQ(d.Rgb(2, 1), 0x090807u);

  f.compression = 3;  // alpha in the low byte: channels 8 bits each above it
  f.masks = Masks(0xFF000000, 0x00FF0000, 0x0000FF00);
  f.pixels = {0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  // Blue is taken to start at bit 0, so its width is 16 and the masks are
  // read as blue 0..15, green 16..23, red 24..31.
  Decoded m(f.Bytes());
  ASSERT_EQ(m.status, Status::kOk);
  EXPECT_EQ(m.Rgb(0, 1) >> 8, 0x0302u);
}

TEST(BmpReader, UnsupportedKindsAre50002) {
  BmpFile top_down;
  top_down.height = -1;
  top_down.pixels = {1, 2, 3, 0};
  EXPECT_EQ(ReadStatus(top_down), Status::kUnsupported);
  BmpFile rle8;
  rle8.bits = 8, rle8.compression = 1, rle8.pixels = std::vector<uint8_t>(1100);
  EXPECT_EQ(ReadStatus(rle8), Status::kUnsupported);
  BmpFile rle4 = rle8;
  rle4.bits = 4, rle4.compression = 2;
  EXPECT_EQ(ReadStatus(rle4), Status::kUnsupported);
  BmpFile odd = rle8;
  odd.compression = 0;
  for (uint16_t bits : {0, 2, 33}) {
    odd.bits = bits;
    EXPECT_EQ(ReadStatus(odd), Status::kUnsupported) << bits;
  }
  BmpFile empty = odd;
  empty.bits = 24, empty.width = 0;
  EXPECT_EQ(ReadStatus(empty), Status::kUnsupported);
  BmpFile fields24 = empty;
  fields24.width = 1, fields24.compression = 3;
  EXPECT_EQ(ReadStatus(fields24), Status::kUnsupported);
  BmpFile huge = empty;
  huge.width = 40000, huge.height = 40000;
  EXPECT_EQ(ReadStatus(huge), Status::kUnsupported);
}

TEST(BmpReader, ShortDataIs50004) {
  BmpFile f;
  f.width = 2, f.height = 2;
  f.pixels = std::vector<uint8_t>(16, 9);
  std::vector<uint8_t> bytes = f.Bytes();
  EXPECT_EQ(Decoded(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)).status, Status::kReadFailed);
  EXPECT_EQ(Decoded(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 53)).status, Status::kReadFailed);
  StoreU32(static_cast<uint32_t>(bytes.size()), &bytes[10]);  // pixel data at the very end
  EXPECT_EQ(Decoded(bytes).status, Status::kReadFailed);

  BmpFile palette;  // the table and the rows must both fit behind 54 bytes
  palette.bits = 8, palette.colours_used = 0xFFFFFFFF, palette.pixels = {1, 0, 0, 0};
  EXPECT_EQ(ReadStatus(palette), Status::kReadFailed);

  BmpFile fields;
  fields.bits = 16, fields.compression = 3, fields.pixel_offset = 54;
  fields.pixels = {1, 2, 3, 4, 5, 6, 7, 8};  // ends before the masks do
  EXPECT_EQ(ReadStatus(fields), Status::kReadFailed);
  fields.pixel_offset.reset();
  fields.masks = Masks(0xF800, 0x07E0, 0);  // blue without width
  fields.pixels = {1, 2, 0, 0};
  EXPECT_EQ(ReadStatus(fields), Status::kReadFailed);
  fields.masks = Masks(0xF800, 0x07E0, 0x80000000);  // blue takes all 32 bits
  EXPECT_EQ(ReadStatus(fields), Status::kReadFailed);
  fields.masks = Masks(0xF800, 0x07E0, 0x001F);
  fields.height = 2;  // the second row is missing
  EXPECT_EQ(ReadStatus(fields), Status::kReadFailed);
}

// With a 124-byte header the pixel data lies 84 bytes later than the plain
// headers suggest; rows that run past the data stay black.
TEST(BmpReader, LargeHeaderWithMissingTopRowsLoads) {
  BmpFile f;
  f.header_size = 124;
  f.width = 1, f.height = 30;
  std::vector<uint8_t> rows(30 * 4, 0x55);
  f.pixels = std::vector<uint8_t>(rows.begin(), rows.end() - 84);
  Decoded d(f.Bytes());
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.Rgb(0, 29), 0x555555u);  // bottom row
  EXPECT_EQ(d.Rgb(0, 21), 0x555555u);  // 36 bytes of rows: nine of them
  EXPECT_EQ(d.Rgb(0, 20), 0u);
  EXPECT_EQ(d.Rgb(0, 0), 0u);

  f.bits = 4;  // packed rows too: whole rows inside the data only
  f.palette = PaletteBytes({0, 0xFFFFFF});
  f.colours_used = 2;
  f.pixels = std::vector<uint8_t>(13 * 4 + 2, 0x11);
  Decoded p(f.Bytes());
  ASSERT_EQ(p.status, Status::kOk);
  EXPECT_EQ(p.Rgb(0, 29), 0xFFFFFFu);
  EXPECT_EQ(p.Rgb(0, 17), 0xFFFFFFu);
  EXPECT_EQ(p.Rgb(0, 16), 0u);
}

// The colour table follows the stored info header; the masks stay at 54.
TEST(BmpReader, PaletteFollowsTheStoredHeader) {
  for (uint32_t header : {40u, 52u, 56u, 64u, 108u, 124u}) {
    BmpFile f;
    f.header_size = header;
    f.width = 2, f.bits = 8, f.colours_used = 2;
    f.palette = PaletteBytes({0x112233, 0x445566});
    f.pixels = {1, 0, 0, 0};
    if (header >= 56) f.masks = {0xEE, 0xEE, 0xEE, 0xEE};  // header fields that are no colours
    Decoded d(f.Bytes());
    ASSERT_EQ(d.status, Status::kOk) << header;
    EXPECT_EQ(d.Rgb(0, 0), 0x445566u) << header;
    EXPECT_EQ(d.Rgb(1, 0), 0x112233u) << header;
  }
  BmpFile unknown;  // an unknown header size is read as a plain one
  unknown.header_size = 200;
  unknown.width = 1, unknown.bits = 1;
  unknown.pixels = {0x80, 0, 0, 0};
  std::vector<uint8_t> bytes = unknown.Bytes();
  std::vector<uint8_t> palette = PaletteBytes({0x0000FF, 0x00FF00});
  std::copy(palette.begin(), palette.end(), bytes.begin() + 54);
  Decoded d(bytes);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.Rgb(0, 0), 0x00FF00u);

  BmpFile fields;
  fields.header_size = 124;
  fields.width = 1, fields.bits = 16, fields.compression = 3;
  fields.masks = Masks(0xF800, 0x07E0, 0x001F);
  fields.pixels = {0x1F, 0, 0, 0};
  EXPECT_EQ(Decoded(fields.Bytes()).Rgb(0, 0), 0x0000FFu);
}

TEST(BmpReader, FailureLeavesNoPixelsAndReportsThroughTheSource) {
  BmpFile good;
  good.pixels = {1, 2, 3, 0};
  std::vector<uint8_t> bytes = good.Bytes();
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(ReadBmpBytes(bytes.data(), bytes.size(), &image), Status::kOk);
  ASSERT_NE(image.pixels, nullptr);
  DecodeSource source;
  source.start = source.cursor = bytes.data();
  source.end = bytes.data() + 20;
  source.target = &image;
  EXPECT_FALSE(ReadBmp(&source));
  EXPECT_EQ(source.status, Status::kReadFailed);
  EXPECT_EQ(image.pixels, nullptr);
}

}  // namespace
