// The PNG reader on files built chunk by chunk: every refusal, the depth and
// colour-type table, filters, interlace, the chunk rules, gamma and
// transparency.
#include <gtest/gtest.h>

#include <cmath>

#include "codecs/png_filters.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/png_test_support.h"

namespace {

constexpr DecodeSettings kPlain = {{false, 2200, false, true, 0xFFFFFF}};

// A 2 x 2 RGB image: red, green / blue, white.
PngFile SmallRgb() {
  PngFile f;
  f.Header(2, 2, 8, 2);
  return f;
}
const Bytes kSmallRgbRows = Scanlines({{255, 0, 0, 0, 255, 0}, {0, 0, 255, 255, 255, 255}});

Bytes SmallRgbFile() { return SmallRgb().ImageData(kSmallRgbRows).End().bytes(); }

Status StatusOf(const Bytes& png) {
  DecodedPng d;
  Decode(png, &d);
  if (d.status != Status::kOk) {
    EXPECT_EQ(d.image.pixels, nullptr) << "a refused file keeps no pixels";
  }
  return d.status;
}

Bytes WithHeaderByte(size_t offset, uint8_t value) {
  Bytes b = SmallRgbFile();
  b[offset] = value;
  // The header's CRC follows the change, so that the field itself is judged.
  const uint32_t crc = PngCrc(0, &b[12], 17);
  StoreU32Be(crc, &b[29]);
  return b;
}

TEST(PngReader, RefusesBrokenStartsWithTheirStatus) {
  Bytes good = SmallRgbFile();
  EXPECT_EQ(StatusOf(good), Status::kOk);
  EXPECT_EQ(StatusOf(Bytes(good.begin(), good.begin() + 32)), Status::kCorrupt);
  Bytes signature = good;
  signature[1] = 'Q';
  EXPECT_EQ(StatusOf(signature), Status::kCorrupt);
  Bytes length = good;
  length[11] = 12;
  EXPECT_EQ(StatusOf(length), Status::kPngBadHeaderLength);
  EXPECT_EQ(StatusOf(PngFile().Chunk("gAMA", Bytes(13)).Header(2, 2, 8, 2).End().bytes()),
            Status::kPngHeaderNotFirst);
  Bytes crc = good;
  crc[32] ^= 0xFF;
  EXPECT_EQ(StatusOf(crc), Status::kPngBadChecksum);
  EXPECT_EQ(StatusOf(WithHeaderByte(19, 0)), Status::kUnsupported);      // height 0
  EXPECT_EQ(StatusOf(WithHeaderByte(16, 0x80)), Status::kUnsupported);   // width above 2^31
  EXPECT_EQ(StatusOf(WithHeaderByte(26, 1)), Status::kPngBadCompression);
  EXPECT_EQ(StatusOf(WithHeaderByte(27, 1)), Status::kPngBadFilter);
  EXPECT_EQ(StatusOf(WithHeaderByte(28, 2)), Status::kPngBadInterlace);
}

TEST(PngReader, RefusesDepthsAndColourTypesOutsideTheTable) {
  struct Case {
    uint8_t depth, colour_type;
    Status status;
  };
  const Case cases[] = {
      {3, 0, Status::kPngBadBitDepth},     {32, 2, Status::kPngBadBitDepth},
      {0, 3, Status::kPngBadBitDepth},     {4, 2, Status::kPngBadColourType},
      {2, 4, Status::kPngBadColourType},   {1, 6, Status::kPngBadColourType},
      {16, 3, Status::kPngBadColourType},  {8, 1, Status::kPngBadColourType},
      {8, 5, Status::kPngBadColourType},   {8, 7, Status::kPngBadColourType},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusOf(PngFile().Header(2, 2, c.depth, c.colour_type).ImageData(Bytes(20)).End().bytes()),
              c.status)
        << int(c.depth) << "/" << int(c.colour_type);
  }
}

TEST(PngReader, EnforcesTheChunkRules) {
  const Bytes rows = kSmallRgbRows;
  // Lengths with the top bit set and chunks running past the end.
  Bytes top_bit = SmallRgbFile();
  top_bit[33] = 0x80;
  EXPECT_EQ(StatusOf(top_bit), Status::kPngBadLength);
  Bytes past_end = SmallRgbFile();
  past_end.resize(past_end.size() - 4);
  EXPECT_EQ(StatusOf(past_end), Status::kCorrupt);
  Bytes no_end = SmallRgb().ImageData(rows).bytes();
  EXPECT_EQ(StatusOf(no_end), Status::kCorrupt);
  // Order.
  EXPECT_EQ(StatusOf(SmallRgb().Header(2, 2, 8, 2).ImageData(rows).End().bytes()), Status::kPngChunkOrder);
  EXPECT_EQ(StatusOf(SmallRgb().ImageData(rows).Chunk("tEXt", {'a', 0, 'b'}).ImageData(rows).End().bytes()),
            Status::kPngChunkOrder);
  EXPECT_EQ(StatusOf(SmallRgb().End().bytes()), Status::kPngNoImageData);
  // Critical chunks must pass their CRC.
  EXPECT_EQ(StatusOf(SmallRgb().Chunk("IDAT", Deflated(rows), false).End().bytes()), Status::kPngBadChecksum);
  EXPECT_EQ(StatusOf(SmallRgb().ImageData(rows).Chunk("IEND", {}, false).bytes()), Status::kPngBadChecksum);
  // A broken IDAT in the run behind the first.
  const Bytes z = Deflated(rows);
  const Bytes half1(z.begin(), z.begin() + 5), half2(z.begin() + 5, z.end());
  EXPECT_EQ(StatusOf(SmallRgb().Chunk("IDAT", half1).Chunk("IDAT", half2, false).End().bytes()),
            Status::kPngBrokenImageData);
  PngFile huge_second = SmallRgb();
  huge_second.Chunk("IDAT", half1);
  huge_second.Append(Joined({BigEndian32(0x80000000u), {'I', 'D', 'A', 'T'}}));
  EXPECT_EQ(StatusOf(huge_second.bytes()), Status::kPngBrokenImageData);
  PngFile short_second = SmallRgb();
  short_second.Chunk("IDAT", half1);
  short_second.Append(Joined({BigEndian32(100), {'I', 'D', 'A', 'T', 1, 2}}));
  EXPECT_EQ(StatusOf(short_second.bytes()), Status::kPngBrokenImageData);
  // Broken deflate data.
  EXPECT_EQ(StatusOf(SmallRgb().CompressedData({0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF}).End().bytes()),
            Status::kInflateFailed);
  EXPECT_EQ(StatusOf(SmallRgb().CompressedData({0x00, 0x00, 0x03, 0x00}).End().bytes()), Status::kInflateFailed);
}

TEST(PngReader, PaletteRules) {
  const Bytes rows = Scanlines({{0x1B}});  // 2 bits: 0, 1, 2, 3
  auto file = [&](bool second_palette, bool palette_after_data, bool palette_crc) {
    PngFile f;
    f.Header(4, 1, 2, 3);
    if (!palette_after_data) f.Chunk("PLTE", Bytes(12, 7), palette_crc);
    if (second_palette) f.Palette({1});
    f.ImageData(rows);
    if (palette_after_data) f.Palette({1});
    return f.End().bytes();
  };
  EXPECT_EQ(StatusOf(file(false, false, true)), Status::kOk);
  EXPECT_EQ(StatusOf(file(true, false, true)), Status::kPngChunkOrder);
  EXPECT_EQ(StatusOf(file(false, true, true)), Status::kPngChunkOrder);
  EXPECT_EQ(StatusOf(file(false, false, false)), Status::kPngBadChecksum);
  EXPECT_EQ(StatusOf(PngFile().Header(4, 1, 2, 3).ImageData(rows).End().bytes()), Status::kPngNoImageData);

  // A palette longer than the depth allows is cut; RGB order becomes BGR.
  DecodedPng d;
  Decode(PngFile().Header(4, 1, 2, 3).Palette({0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0})
             .ImageData(rows).End().bytes(),
         &d);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(PixelRgb(d.image, 0, 0), 0x102030u);
  EXPECT_EQ(PixelRgb(d.image, 3, 0), 0xA0B0C0u);
  EXPECT_EQ(d.image.palette[4].red, 0) << "entries beyond the depth stay empty";
  // A palette chunk in a colour image is passed over, even a broken one.
  EXPECT_EQ(StatusOf(SmallRgb().Chunk("PLTE", Bytes(5), false).ImageData(kSmallRgbRows).End().bytes()), Status::kOk);
}

TEST(PngReader, GreyAtLowDepthsGetsARamp) {
  // 1-bit grey: entries 0 and 1 black and white, the rest empty.
  DecodedPng one;
  Decode(PngFile().Header(9, 1, 1, 0).ImageData(Scanlines({{0xA5, 0x80}})).End().bytes(), &one, kPlain);
  ASSERT_EQ(one.status, Status::kOk);
  EXPECT_EQ(one.image.header.bit_count, 8);
  const uint8_t* row = RowFromTop(one.image, 0);
  EXPECT_EQ(Bytes(row, row + 9), (Bytes{1, 0, 1, 0, 0, 1, 0, 1, 1}));
  EXPECT_EQ(PixelRgb(one.image, 1, 0), 0u);
  EXPECT_EQ(PixelRgb(one.image, 0, 0), 0xFFFFFFu);
  for (int i = 2; i < 256; ++i) ASSERT_EQ(one.image.palette[i].red | one.image.palette[i].green, 0) << i;
  EXPECT_EQ(one.image.source_bits_per_pixel, 1u);

  DecodedPng two;
  Decode(PngFile().Header(4, 1, 2, 0).ImageData(Scanlines({{0x1B}})).End().bytes(), &two, kPlain);
  ASSERT_EQ(two.status, Status::kOk);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(two.image.palette[i].green, i * 85);
  DecodedPng four;
  Decode(PngFile().Header(3, 1, 4, 0).ImageData(Scanlines({{0x0F, 0x70}})).End().bytes(), &four, kPlain);
  ASSERT_EQ(four.status, Status::kOk);
  EXPECT_EQ(Bytes(RowFromTop(four.image, 0), RowFromTop(four.image, 0) + 3), (Bytes{0, 15, 7}));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(four.image.palette[i].blue, i * 17);
  EXPECT_EQ(four.image.palette[16].blue, 0);
}

TEST(PngReader, SixteenBitSamplesKeepTheirHighByte) {
  DecodedPng grey;
  Decode(PngFile().Header(2, 1, 16, 0).ImageData(Scanlines({{0x12, 0xFF, 0xAB, 0x01}})).End().bytes(), &grey,
         kPlain);
  ASSERT_EQ(grey.status, Status::kOk);
  EXPECT_EQ(RowFromTop(grey.image, 0)[0], 0x12);
  EXPECT_EQ(RowFromTop(grey.image, 0)[1], 0xAB);
  EXPECT_EQ(grey.image.palette[0xAB].red, 0xAB);
  EXPECT_EQ(grey.image.source_bits_per_pixel, 16u);

  DecodedPng colour;
  Decode(PngFile().Header(1, 1, 16, 2).ImageData(Scanlines({{0x11, 0x99, 0x22, 0x99, 0x33, 0x99}})).End().bytes(),
         &colour, kPlain);
  ASSERT_EQ(colour.status, Status::kOk);
  EXPECT_EQ(colour.image.header.bit_count, 24);
  EXPECT_EQ(PixelRgb(colour.image, 0, 0), 0x112233u);
  EXPECT_EQ(colour.image.source_bits_per_pixel, 48u);
}

TEST(PngReader, RowsGoBottomUpInBlueGreenRed) {
  DecodedPng d;
  Decode(SmallRgbFile(), &d, kPlain);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.image.header.width, 2);
  EXPECT_EQ(d.image.header.height, 2);
  EXPECT_EQ(d.image.pixels[0], 255) << "the last PNG row is the buffer's first";
  EXPECT_EQ(PixelRgb(d.image, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelRgb(d.image, 1, 0), 0x00FF00u);
  EXPECT_EQ(PixelRgb(d.image, 0, 1), 0x0000FFu);
  EXPECT_EQ(d.image.source_format, kSourcePng);
  EXPECT_EQ(d.image.source_size, SmallRgbFile().size());
}

// Rows of an RGB image filtered with each type, against the same rows
// stored unfiltered.
TEST(PngReader, UndoesEveryFilter) {
  const int width = 5, height = 4;
  std::vector<Bytes> rows(height, Bytes(width * 3));
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < width * 3; ++i) rows[y][i] = uint8_t(y * 37 + i * i * 11 + 3);
  }
  for (uint8_t type = 0; type <= 5; ++type) {
    Bytes filtered;
    for (int y = 0; y < height; ++y) {
      Bytes out(width * 3);
      const uint8_t applied = type > 4 ? 0 : type;
      FilterRow(PngFilter(applied), rows[y].data(), y ? rows[y - 1].data() : nullptr, out.size(), 3, out.data());
      filtered.push_back(type == 5 ? 7 : type);  // an unknown type counts as None
      filtered.insert(filtered.end(), out.begin(), out.end());
    }
    DecodedPng d;
    Decode(PngFile().Header(width, height, 8, 2).ImageData(filtered).End().bytes(), &d, kPlain);
    ASSERT_EQ(d.status, Status::kOk);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint32_t expected = uint32_t(rows[y][3 * x]) << 16 | rows[y][3 * x + 1] << 8 | rows[y][3 * x + 2];
        ASSERT_EQ(PixelRgb(d.image, x, y), expected) << "filter " << int(type) << " at " << x << "," << y;
      }
    }
  }
}

// The seven passes of a w x h image, each pass's rows behind filter bytes.
Bytes InterlacedScanlines(const std::vector<Bytes>& pixels_by_row, int width, int height, int bytes_per_pixel) {
  static const int start_x[] = {0, 4, 0, 2, 0, 1, 0}, start_y[] = {0, 0, 4, 0, 2, 0, 1};
  static const int step_x[] = {8, 8, 4, 4, 2, 2, 1}, step_y[] = {8, 8, 8, 4, 4, 2, 2};
  Bytes out;
  for (int p = 0; p < 7; ++p) {
    if (start_x[p] >= width) continue;
    for (int y = start_y[p]; y < height; y += step_y[p]) {
      out.push_back(0);
      for (int x = start_x[p]; x < width; x += step_x[p]) {
        for (int b = 0; b < bytes_per_pixel; ++b) out.push_back(pixels_by_row[y][x * bytes_per_pixel + b]);
      }
    }
  }
  return out;
}

TEST(PngReader, InterlacedEqualsPlain) {
  for (auto [width, height] : {std::pair{1, 1}, {3, 5}, {8, 8}, {9, 9}, {33, 17}}) {
    std::vector<Bytes> rows(height, Bytes(width * 3));
    for (int y = 0; y < height; ++y) {
      for (int i = 0; i < width * 3; ++i) rows[y][i] = uint8_t(y * 31 + i * 7);
    }
    DecodedPng plain, interlaced;
    Decode(PngFile().Header(width, height, 8, 2).ImageData(Scanlines(rows)).End().bytes(), &plain, kPlain);
    Decode(PngFile().Header(width, height, 8, 2, 1).ImageData(InterlacedScanlines(rows, width, height, 3)).End().bytes(),
           &interlaced, kPlain);
    ASSERT_EQ(plain.status, Status::kOk);
    ASSERT_EQ(interlaced.status, Status::kOk);
    EXPECT_TRUE(interlaced.results.interlaced_or_progressive);
    EXPECT_FALSE(plain.results.interlaced_or_progressive);
    const uint32_t bytes = Stride(plain.image) * static_cast<uint32_t>(height);
    EXPECT_EQ(Bytes(plain.image.pixels, plain.image.pixels + bytes),
              Bytes(interlaced.image.pixels, interlaced.image.pixels + bytes))
        << width << "x" << height;
  }
}

TEST(PngReader, ManyImageDataChunksReadAsOne) {
  std::vector<Bytes> rows(40, Bytes(60));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t i = 0; i < 60; ++i) rows[y][i] = uint8_t(y * i + (i >> 2));
  }
  const Bytes scanlines = Scanlines(rows);
  DecodedPng one, hundred;
  Decode(PngFile().Header(20, 40, 8, 2).ImageData(scanlines, 1).End().bytes(), &one, kPlain);
  const Bytes z = Deflated(scanlines);
  PngFile split;
  split.Header(20, 40, 8, 2);
  const size_t piece = z.size() / 100 + 1;
  int chunks = 0;
  for (size_t at = 0; at < z.size(); at += piece, ++chunks) {
    split.Chunk("IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + piece)));
    if (chunks == 50) split.Chunk("IDAT", {});  // empty ones join as well
  }
  EXPECT_GE(chunks, 90);
  Decode(split.End().bytes(), &hundred, kPlain);
  ASSERT_EQ(one.status, Status::kOk);
  ASSERT_EQ(hundred.status, Status::kOk);
  const uint32_t bytes = Stride(one.image) * 40;
  EXPECT_EQ(Bytes(one.image.pixels, one.image.pixels + bytes), Bytes(hundred.image.pixels, hundred.image.pixels + bytes));
}

TEST(PngReader, AShortStreamKeepsTheRowsBeforeItsEnd) {
  // Three complete rows of six, then the stream stops.
  std::vector<Bytes> rows(3, Bytes{10, 20, 30});
  DecodedPng d;
  Decode(PngFile().Header(1, 6, 8, 2).ImageData(Scanlines(rows)).End().bytes(), &d, kPlain);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(PixelRgb(d.image, 0, 2), 0x0A141Eu);
  EXPECT_EQ(PixelRgb(d.image, 0, 3), 0u);
  // The same cut inside the deflate data itself.
  Bytes z = Deflated(Scanlines(std::vector<Bytes>(6, Bytes{10, 20, 30})), 0);
  z.resize(z.size() - 12);
  DecodedPng cut;
  Decode(PngFile().Header(1, 6, 8, 2).CompressedData(z).End().bytes(), &cut, kPlain);
  ASSERT_EQ(cut.status, Status::kOk);
  EXPECT_EQ(PixelRgb(cut.image, 0, 1), 0x0A141Eu);
  EXPECT_EQ(PixelRgb(cut.image, 0, 5), 0u);

  // Under an alpha channel the missing pixels show the background, as
  // pixels of alpha 0 would; in an interlaced image too.
  DecodedPng alpha;
  Decode(PngFile().Header(1, 4, 8, 6).ImageData(Scanlines({{1, 2, 3, 255}})).End().bytes(), &alpha);
  ASSERT_EQ(alpha.status, Status::kOk);
  EXPECT_EQ(PixelRgb(alpha.image, 0, 0), 0x010203u);
  EXPECT_EQ(PixelRgb(alpha.image, 0, 3), 0xFFFFFFu);
  const int w = 9, h = 9;
  std::vector<Bytes> opaque(h, Bytes(w * 4, 255));
  for (Bytes& r : opaque) {
    for (int x = 0; x < w; ++x) r[x * 4] = 0;  // opaque cyan
  }
  Bytes passes = InterlacedScanlines(opaque, w, h, 4);
  passes.resize(passes.size() / 2);
  DecodedPng ilaced;
  Decode(PngFile().Header(w, h, 8, 6, 1).ImageData(passes).End().bytes(), &ilaced);
  ASSERT_EQ(ilaced.status, Status::kOk);
  EXPECT_EQ(PixelRgb(ilaced.image, 0, 0), 0x00FFFFu) << "first pass";
  EXPECT_EQ(PixelRgb(ilaced.image, 8, 8), 0x00FFFFu) << "first pass";
  EXPECT_EQ(PixelRgb(ilaced.image, 1, 1), 0xFFFFFFu) << "last pass, never reached";
}

// Gamma, background and transparency of one-pixel files.
struct Look {
  Bytes before_data;  // chunks between header and image data
  uint8_t depth, colour_type;
  Bytes pixel;  // one scanline of one pixel
};

Bytes LookFile(const Look& look, const std::vector<std::pair<std::string, Bytes>>& chunks, bool crc = true) {
  PngFile f;
  f.Header(1, 1, look.depth, look.colour_type);
  for (const auto& [type, data] : chunks) f.Chunk(type, data, crc);
  return f.ImageData(Scanlines({look.pixel})).End().bytes();
}

uint32_t PixelOf(const Bytes& png, const DecodeSettings& settings = {}) {
  DecodedPng d;
  Decode(png, &d, settings);
  EXPECT_EQ(d.status, Status::kOk);
  return d.status == Status::kOk ? PixelRgb(d.image, 0, 0) : 0xDEADBEEF;
}

uint8_t Gamma(int v, double file, double display) {
  return uint8_t(std::floor(255.0 * std::pow(v / 255.0, 1.0 / (file * display)) + 0.5));
}

TEST(PngReaderLook, GammaFollowsTheFileAndTheDisplay) {
  const Look rgb = {{}, 8, 2, {64, 128, 200}};
  const Bytes gama = BigEndian32(100000);
  const uint32_t expected = uint32_t(Gamma(64, 1.0, 2.2)) << 16 | Gamma(128, 1.0, 2.2) << 8 | Gamma(200, 1.0, 2.2);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", gama}})), expected);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", BigEndian32(45455)}}), {{true, 1000}}),
            uint32_t(Gamma(64, 0.45455, 1.0)) << 16 | Gamma(128, 0.45455, 1.0) << 8 | Gamma(200, 0.45455, 1.0));
  // Display gamma 0 counts as 1 (0.001).
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", BigEndian32(100000)}}), {{true, 0}}),
            uint32_t(Gamma(64, 1.0, 0.001)) << 16 | Gamma(128, 1.0, 0.001) << 8 | Gamma(200, 1.0, 0.001));
  // Taken only when on, the first, before the data, of length 4, its CRC
  // good and its value in range.
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", gama}}), {{false}}), 0x4080C8u);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", gama}}, false)), 0x4080C8u);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", BigEndian32(0)}})), 0x4080C8u);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", BigEndian32(0x80000000u)}})), 0x4080C8u);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", Joined({gama, {0}})}})), 0x4080C8u);
  EXPECT_EQ(PixelOf(LookFile(rgb, {{"gAMA", BigEndian32(45455)}, {"gAMA", gama}}), {{true, 1000}}),
            uint32_t(Gamma(64, 0.45455, 1.0)) << 16 | Gamma(128, 0.45455, 1.0) << 8 | Gamma(200, 0.45455, 1.0));
  // On a palette image it changes the palette.
  DecodedPng pal;
  Decode(PngFile().Header(1, 1, 8, 3).Chunk("gAMA", gama).Palette({0x4080C8}).ImageData(Scanlines({{0}})).End().bytes(),
         &pal);
  EXPECT_EQ(PixelRgb(pal.image, 0, 0), expected);
  EXPECT_EQ(pal.image.palette[255].red, 0);
  DecodedPng late;
  Decode(PngFile().Header(1, 1, 8, 3).Palette({0x4080C8}).Chunk("gAMA", gama).ImageData(Scanlines({{0}})).End().bytes(),
         &late);
  EXPECT_EQ(PixelRgb(late.image, 0, 0), 0x4080C8u) << "a gamma behind the palette is passed over";
}

TEST(PngReaderLook, AlphaBlendsOntoTheBackground) {
  auto blend = [](int a, int v, int b) { return (a * v + 127) / 255 + ((255 - a) * b + 127) / 255; };
  const Look rgba = {{}, 8, 6, {200, 100, 50, 96}};
  EXPECT_EQ(PixelOf(LookFile(rgba, {})),
            uint32_t(blend(96, 200, 255)) << 16 | blend(96, 100, 255) << 8 | blend(96, 50, 255));
  EXPECT_EQ(PixelOf(LookFile(rgba, {}), {{false, 2200, true, true, 0x0000FF}}),
            uint32_t(blend(96, 200, 255)) << 16 | blend(96, 100, 0) << 8 | blend(96, 50, 0))
      << "the configured background has red in its low byte";
  EXPECT_EQ(PixelOf(LookFile(rgba, {}), kPlain), 0xC86432u) << "no compositing";
  // The file's background wins unless told otherwise.
  const Bytes bkgd = Joined({BigEndian16(10), BigEndian16(20), BigEndian16(30)});
  EXPECT_EQ(PixelOf(LookFile(rgba, {{"bKGD", bkgd}})),
            uint32_t(blend(96, 200, 10)) << 16 | blend(96, 100, 20) << 8 | blend(96, 50, 30));
  EXPECT_EQ(PixelOf(LookFile(rgba, {{"bKGD", bkgd}}), {{false, 2200, true, false, 0xFFFFFF}}),
            uint32_t(blend(96, 200, 255)) << 16 | blend(96, 100, 255) << 8 | blend(96, 50, 255));
  EXPECT_EQ(PixelOf(LookFile(rgba, {{"bKGD", bkgd}}, false)),
            uint32_t(blend(96, 200, 255)) << 16 | blend(96, 100, 255) << 8 | blend(96, 50, 255));
  // 16-bit RGBA with alpha 0 is all background.
  EXPECT_EQ(PixelOf(LookFile({{}, 16, 6, {1, 2, 3, 4, 5, 6, 0, 0xFF}}, {})), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(LookFile({{}, 16, 6, {0x11, 2, 0x22, 4, 0x33, 6, 0xFF, 0}}, {})), 0x112233u);
  // Grey with alpha blends the index with the background's red.
  DecodedPng grey;
  Decode(LookFile({{}, 8, 4, {100, 128}}, {}), &grey, {{false, 2200, true, true, 0x0000C8}});
  EXPECT_EQ(RowFromTop(grey.image, 0)[0], blend(128, 100, 200));
  EXPECT_TRUE(grey.results.transparency);
}

TEST(PngReaderLook, FileBackgroundsAreScaledAndCorrected) {
  const Look ga = {{}, 8, 4, {0, 0}};  // grey + alpha, fully transparent
  EXPECT_EQ(PixelOf(LookFile(ga, {{"bKGD", BigEndian16(0x0177)}})), 0x777777u) << "low byte at depth 8";
  EXPECT_EQ(PixelOf(LookFile({{}, 16, 4, {0, 0, 0, 0}}, {{"bKGD", BigEndian16(0x7701)}})), 0x777777u);
  // Gamma changes the file's background too, once, though grey indices
  // are corrected through the palette.
  const uint8_t g = Gamma(0x77, 1.0, 2.2);
  EXPECT_EQ(PixelOf(LookFile(ga, {{"gAMA", BigEndian32(100000)}, {"bKGD", BigEndian16(0x77)}})),
            uint32_t(g) << 16 | g << 8 | g);
  // A palette image names an entry; before its palette the chunk is passed over.
  PngFile pal;
  pal.Header(1, 1, 8, 3).Palette({0x000000, 0x336699}).Chunk("bKGD", {1}).Chunk("tRNS", {0});
  EXPECT_EQ(PixelOf(pal.ImageData(Scanlines({{0}})).End().bytes()), 0x336699u);
  PngFile early;
  early.Header(1, 1, 8, 3).Chunk("bKGD", {1}).Palette({0x000000, 0x336699}).Chunk("tRNS", {0});
  EXPECT_EQ(PixelOf(early.ImageData(Scanlines({{0}})).End().bytes()), 0xFFFFFFu);
}

TEST(PngReaderLook, TransparentValuesBecomeTheBackground) {
  // Grey: the palette entry of the transparent value.
  DecodedPng grey;
  Decode(PngFile().Header(2, 1, 8, 0).Chunk("tRNS", BigEndian16(7)).ImageData(Scanlines({{7, 8}})).End().bytes(),
         &grey, {{false, 2200, true, true, 0x112233}});
  ASSERT_EQ(grey.status, Status::kOk);
  EXPECT_EQ(PixelRgb(grey.image, 0, 0), 0x332211u);
  EXPECT_EQ(PixelRgb(grey.image, 1, 0), 0x080808u);
  EXPECT_TRUE(grey.results.transparency);
  // Colour: every pixel of that colour, judged before gamma.
  const Bytes key = Joined({BigEndian16(10), BigEndian16(20), BigEndian16(30)});
  DecodedPng colour;
  Decode(PngFile().Header(2, 1, 8, 2).Chunk("gAMA", BigEndian32(100000)).Chunk("tRNS", key)
             .ImageData(Scanlines({{10, 20, 30, 10, 20, 31}})).End().bytes(),
         &colour);
  ASSERT_EQ(colour.status, Status::kOk);
  EXPECT_EQ(PixelRgb(colour.image, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelRgb(colour.image, 1, 0), uint32_t(Gamma(10, 1, 2.2)) << 16 | Gamma(20, 1, 2.2) << 8 | Gamma(31, 1, 2.2));
  // Palette: each entry blended with its alpha, 255 beyond the table.
  DecodedPng pal;
  Decode(PngFile().Header(3, 1, 8, 3).Palette({0xFF0000, 0x00FF00, 0x0000FF}).Chunk("tRNS", {0, 128})
             .ImageData(Scanlines({{0, 1, 2}})).End().bytes(),
         &pal, {{false, 2200, true, true, 0x000000}});
  ASSERT_EQ(pal.status, Status::kOk);
  EXPECT_EQ(PixelRgb(pal.image, 0, 0), 0u);
  EXPECT_EQ(PixelRgb(pal.image, 1, 0), 0x008000u);
  EXPECT_EQ(PixelRgb(pal.image, 2, 0), 0x0000FFu);
  // More alpha values than palette entries, or before the palette: passed over.
  DecodedPng too_many;
  Decode(PngFile().Header(1, 1, 8, 3).Palette({0xFF0000}).Chunk("tRNS", {0, 0}).ImageData(Scanlines({{0}})).End().bytes(),
         &too_many);
  EXPECT_EQ(PixelRgb(too_many.image, 0, 0), 0xFF0000u);
  EXPECT_FALSE(too_many.results.transparency);
  // Without compositing the file still says it has transparency.
  DecodedPng off;
  Decode(PngFile().Header(2, 1, 8, 0).Chunk("tRNS", BigEndian16(7)).ImageData(Scanlines({{7, 8}})).End().bytes(), &off,
         kPlain);
  EXPECT_EQ(PixelRgb(off.image, 0, 0), 0x070707u);
  EXPECT_TRUE(off.results.transparency);
  // A bad CRC leaves the pixel as it is.
  EXPECT_EQ(PixelOf(PngFile().Header(1, 1, 8, 0).Chunk("tRNS", BigEndian16(7), false).ImageData(Scanlines({{7}})).End().bytes()),
            0x070707u);
}

TEST(PngReaderLook, ResolutionAndTextCounts) {
  const Bytes phys = Joined({BigEndian32(3780), BigEndian32(2835), {1}});
  DecodedPng d;
  Decode(PngFile().Header(1, 1, 8, 0).Chunk("pHYs", phys).Chunk("tEXt", {'A', 0, 'b'})
             .Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'}).Chunk("tEXt", {'x'})
             .Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 's', 0}).Chunk("tEXt", {'Q', 0}, false)
             .ImageData(Scanlines({{0}})).Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0}).End().bytes(),
         &d);
  ASSERT_EQ(d.status, Status::kOk);
  EXPECT_EQ(d.image.header.x_pels_per_meter, 3780);
  EXPECT_EQ(d.image.header.y_pels_per_meter, 2835);
  EXPECT_EQ(d.results.information_count, 4);
  EXPECT_EQ(d.results.comment_count, 2);
  EXPECT_FALSE(d.results.transparency);
  // Unit 0 (an aspect ratio only), a bad CRC or a value above 2^31 leave 0.
  for (const Bytes& bad : {Joined({BigEndian32(3780), BigEndian32(2835), {0}}),
                           Joined({BigEndian32(0x80000000u), BigEndian32(2835), {1}})}) {
    DecodedPng r;
    Decode(PngFile().Header(1, 1, 8, 0).Chunk("pHYs", bad).ImageData(Scanlines({{0}})).End().bytes(), &r);
    EXPECT_EQ(r.image.header.x_pels_per_meter, 0);
  }
  DecodedPng crc;
  Decode(PngFile().Header(1, 1, 8, 0).Chunk("pHYs", phys, false).ImageData(Scanlines({{0}})).End().bytes(), &crc);
  EXPECT_EQ(crc.image.header.x_pels_per_meter, 0);
}

}  // namespace
