// The PNG writer: the chunks it writes byte for byte, the palette it builds
// from the depth converter's, the filters it picks and the refusals.
#include "codecs/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "codecs/memory_sink.h"
#include "codecs/png_chunk_writer.h"
#include "codecs/png_write_palette.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/png_test_support.h"

namespace {

Bytes Written(const ImageBuffer& image, const PngWriteContext& context) {
  MemorySink sink;
  EXPECT_EQ(WritePng(image, context, &sink), Status::kOk);
  return sink.bytes();
}

const SeenChunk* Find(const std::vector<SeenChunk>& chunks, const std::string& type) {
  for (const SeenChunk& c : chunks) {
    if (c.type == type) return &c;
  }
  return nullptr;
}

Bytes ChunkData(const Bytes& png, const std::string& type) {
  const std::vector<SeenChunk> chunks = ChunksOf(png);
  const SeenChunk* c = Find(chunks, type);
  return c ? c->data : Bytes{};
}

// The IDAT inflated: the scanlines with their filter type bytes.
Bytes Scanlines(const Bytes& png) {
  const Bytes z = ChunkData(png, "IDAT");
  Bytes out(1 << 20);
  uLongf size = static_cast<uLongf>(out.size());
  EXPECT_EQ(uncompress(out.data(), &size, z.data(), static_cast<uLong>(z.size())), Z_OK);
  out.resize(size);
  return out;
}

// An 8-bit image whose pixels show palette entries 0 to 3 along each row.
class IndexedImage : public TestImage {
 public:
  explicit IndexedImage(std::initializer_list<uint32_t> entries) : TestImage(4, 2, 8) {
    int i = 0;
    for (uint32_t rgb : entries) SetEntry(i++, rgb);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) SetIndex(x, y, uint8_t(x));
    }
  }
};

PngWriteContext Plain(int bits = 24) {
  PngWriteContext c;
  c.target_bits = bits;
  c.filter_mode = 1;  // None, so the scanlines show the samples
  return c;
}

TEST(PngWriter, ChunksInOrderWithTheirExactBytes) {
  SampleImage image;
  PngWriteContext c = Plain();
  c.gamma = 2200;
  c.x_resolution = 2835, c.y_resolution = 1000;
  c.transparency = true;
  c.transparent_colour = 0x563412;  // red 0x12, green 0x34, blue 0x56
  c.comment = "two\r\nlines";
  const Bytes png = Written(image.record, c);
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
            (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  const std::vector<SeenChunk> chunks = ChunksOf(png);
  EXPECT_EQ(ChunkTypes(chunks), "IHDR gAMA pHYs tRNS bKGD IDAT tEXt IEND");
  for (const SeenChunk& chunk : chunks) EXPECT_TRUE(chunk.crc_matches) << chunk.type;
  EXPECT_EQ(ChunkData(png, "IHDR"), (Bytes{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0}));
  EXPECT_EQ(ChunkData(png, "gAMA"), BigEndian32(45455));
  EXPECT_EQ(ChunkData(png, "pHYs"), (Bytes{0, 0, 0x0B, 0x13, 0, 0, 0x03, 0xE8, 1}));
  EXPECT_EQ(ChunkData(png, "tRNS"), (Bytes{0, 0x12, 0, 0x34, 0, 0x56}));
  EXPECT_EQ(ChunkData(png, "bKGD"), (Bytes{0, 0x12, 0, 0x34, 0, 0x56}));
  const std::string text = "Comment" + std::string(1, '\0') + "two\nlines";
  EXPECT_EQ(ChunkData(png, "tEXt"), Bytes(text.begin(), text.end()));
  EXPECT_EQ(Bytes(png.end() - 12, png.end()),
            (Bytes{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));

  // Red, green, blue from the top row down, each row behind filter type 0.
  Bytes expected;
  for (int y = 0; y < 3; ++y) {
    expected.push_back(0);
    for (int x = 0; x < 5; ++x) {
      const uint32_t rgb = SampleColour(x, y);
      expected.insert(expected.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    }
  }
  EXPECT_EQ(Scanlines(png), expected);
}

TEST(PngWriter, OnlyTheChunksAskedFor) {
  SampleImage image;
  EXPECT_EQ(ChunkTypes(ChunksOf(Written(image.record, Plain()))), "IHDR IDAT IEND");
  PngWriteContext c = Plain();
  c.x_resolution = 2835;  // one resolution alone is not enough
  c.comment = "\r\r";     // nothing left once the carriage returns go
  EXPECT_EQ(ChunkTypes(ChunksOf(Written(image.record, c))), "IHDR IDAT IEND");
  c.x_resolution = -2835, c.y_resolution = -2835;  // no PNG form for these
  EXPECT_EQ(ChunkTypes(ChunksOf(Written(image.record, c))), "IHDR IDAT IEND");

  IndexedImage indexed({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  c = Plain(4);
  c.gamma = 1000;
  c.transparency = true;
  const Bytes png = Written(indexed.record, c);
  EXPECT_EQ(ChunkTypes(ChunksOf(png)), "IHDR gAMA PLTE tRNS bKGD IDAT IEND");
  EXPECT_EQ(ChunkData(png, "gAMA"), BigEndian32(100000));
  EXPECT_EQ(ChunkData(png, "IHDR"), (Bytes{0, 0, 0, 4, 0, 0, 0, 2, 4, 3, 0, 0, 0}));
}

TEST(PngWriter, GammaIsRoundedFromTheSetting) {
  SampleImage image;
  const struct {
    int32_t setting;
    uint32_t stored;
  } cases[] = {{2200, 45455}, {1800, 55556}, {1, 100000000},
               {3000, 33333}, {2500, 40000}, {200000000, 1}};
  for (const auto& g : cases) {
    PngWriteContext c = Plain();
    c.gamma = g.setting;
    EXPECT_EQ(ChunkData(Written(image.record, c), "gAMA"), BigEndian32(g.stored)) << g.setting;
  }
  // A stored 0 is no valid gAMA: such a gamma writes none.
  PngWriteContext c = Plain();
  c.gamma = 200000001;
  EXPECT_EQ(ChunkTypes(ChunksOf(Written(image.record, c))), "IHDR IDAT IEND");
}

// Image data beyond what one chunk may hold go into as many IDATs as needed.
TEST(PngChunks, LongImageDataIsSplitIntoIdats) {
  const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  MemorySink sink;
  ASSERT_TRUE(WriteImageDataChunks(&sink, data.data(), data.size(), 4));
  Bytes file(8, 0);
  file.insert(file.end(), sink.bytes().begin(), sink.bytes().end());
  const std::vector<SeenChunk> chunks = ChunksOf(file);
  EXPECT_EQ(ChunkTypes(chunks), "IDAT IDAT IDAT");
  Bytes joined;
  for (const SeenChunk& c : chunks) {
    EXPECT_TRUE(c.crc_matches);
    EXPECT_LE(c.data.size(), 4u);
    joined.insert(joined.end(), c.data.begin(), c.data.end());
  }
  EXPECT_EQ(joined, data);
}

TEST(PngWriter, ACommentKeepsAtMost4095BytesOfText) {
  SampleImage image;
  PngWriteContext c = Plain();
  c.comment = std::string(2000, '\r') + std::string(5000, 'a');
  const Bytes text = ChunkData(Written(image.record, c), "tEXt");
  EXPECT_EQ(text.size(), 8u + 4095u);
}

TEST(PngPalette, AnEightBitImageOfThreeColoursWritesThreeEntries) {
  // Entries beyond the third are black, which no pixel shows.
  TestImage image(3, 2, 8);
  image.SetEntry(0, 0xFF0000), image.SetEntry(1, 0x00FF00), image.SetEntry(2, 0x0000FF);
  for (int x = 0; x < 3; ++x)
    image.SetIndex(x, 0, uint8_t(x)), image.SetIndex(x, 1, uint8_t(2 - x));
  const Bytes png = Written(image.record, Plain(8));
  EXPECT_EQ(ChunkData(png, "PLTE"), (Bytes{0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}));
  EXPECT_EQ(Scanlines(png), (Bytes{0, 0, 1, 2, 0, 2, 1, 0}));
}

TEST(PngPalette, EqualColoursShareTheFirstEntry) {
  IndexedImage image({0xFF0000, 0x00FF00, 0xFF0000, 0x0000FF});
  const Bytes png = Written(image.record, Plain(8));
  EXPECT_EQ(ChunkData(png, "PLTE"), (Bytes{0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}));
  EXPECT_EQ(Scanlines(png), (Bytes{0, 0, 1, 0, 2, 0, 0, 1, 0, 2}));

  RgbQuad converted[256] = {};
  converted[0] = {9, 9, 9, 0}, converted[1] = {1, 2, 3, 0}, converted[2] = {9, 9, 9, 77};
  converted[3] = {5, 5, 5, 0}, converted[4] = {1, 2, 3, 0};
  bool used[256] = {true, true, true, false, true};
  const PngPalette merged = MergePalette(converted, used, 4);
  ASSERT_EQ(merged.count, 2) << "the reserved byte is no part of a colour; unused entries go";
  EXPECT_EQ(merged.index_of[0], 0);
  EXPECT_EQ(merged.index_of[1], 1);
  EXPECT_EQ(merged.index_of[2], 0);
  EXPECT_EQ(merged.index_of[4], 1);
}

TEST(PngPalette, OneBitKeepsBothEntries) {
  TestImage white(9, 2, 24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 9; ++x) white.Set(x, y, 0xFFFFFF);
  }
  const Bytes png = Written(white.record, Plain(1));
  EXPECT_EQ(ChunkData(png, "IHDR")[8], 1);
  EXPECT_EQ(ChunkData(png, "PLTE"), (Bytes{0, 0, 0, 0xFF, 0xFF, 0xFF}));
  // Nine pixels of index 1, most significant bit first, the rest zero.
  EXPECT_EQ(Scanlines(png), (Bytes{0, 0xFF, 0x80, 0, 0xFF, 0x80}));
}

TEST(PngPalette, IndicesArePackedFromTheMostSignificantBits) {
  IndexedImage image({0x000000, 0x111111, 0x222222, 0x333333});
  EXPECT_EQ(Scanlines(Written(image.record, Plain(4))), (Bytes{0, 0x01, 0x23, 0, 0x01, 0x23}));
  EXPECT_EQ(Scanlines(Written(image.record, Plain(2))), (Bytes{0, 0x1B, 0, 0x1B}));
}

TEST(PngPalette, TheTransparentEntryIsTheExactOneElseTheNearest) {
  IndexedImage image({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  const struct {
    uint32_t colour;  // red in the low byte
    Bytes alpha;
  } cases[] = {
      {0x00FF00, {0xFF, 0}},              // green, exactly
      {0x0A0AFA, {0}},                    // nearly red
      {0xC80000, {0xFF, 0xFF, 0}},        // blue 200: nearest blue
      {0xEEEEEE, {0xFF, 0xFF, 0xFF, 0}},  // nearly white
  };
  for (const auto& t : cases) {
    PngWriteContext c = Plain(8);
    c.transparency = true;
    c.transparent_colour = t.colour;
    const Bytes png = Written(image.record, c);
    EXPECT_EQ(ChunkData(png, "tRNS"), t.alpha) << std::hex << t.colour;
    EXPECT_EQ(ChunkData(png, "bKGD"), Bytes{uint8_t(t.alpha.size() - 1)}) << std::hex << t.colour;
  }
  PngPalette equal_distances;
  equal_distances.count = 2;
  equal_distances.entries[0] = {0, 0, 10, 0}, equal_distances.entries[1] = {0, 0, 30, 0};
  EXPECT_EQ(TransparentIndex(equal_distances, 20, 0, 0), 0) << "the lower index among equals";
}

TEST(PngGrey, LevelsAndTheTransparentGreyByTheIntegerFormula) {
  TestImage image(2, 1, 24);
  image.Set(0, 0, 0xFF8000), image.Set(1, 0, 0x102030);
  PngWriteContext c = Plain(8);
  c.grey = true;
  c.transparency = true;
  c.transparent_colour = 200 | 100 << 8 | 50 << 16;
  Bytes png = Written(image.record, c);
  EXPECT_EQ(ChunkData(png, "IHDR"), (Bytes{0, 0, 0, 2, 0, 0, 0, 1, 8, 0, 0, 0, 0}));
  EXPECT_EQ(ChunkTypes(ChunksOf(png)), "IHDR tRNS bKGD IDAT IEND");
  // (299 x 200 + 587 x 100 + 114 x 50) / 1000 = 124.2
  EXPECT_EQ(ChunkData(png, "tRNS"), (Bytes{0, 124}));
  EXPECT_EQ(ChunkData(png, "bKGD"), (Bytes{0, 124}));
  // Luminance: 76 + 75 + 0 and 5 + 19 + 5.
  EXPECT_EQ(Scanlines(png), (Bytes{0, 151, 29}));
  c.transparent_colour = 2;  // 0.598 is cut, not rounded
  EXPECT_EQ(ChunkData(Written(image.record, c), "tRNS"), (Bytes{0, 0}));
}

TEST(PngWriter, RefusalsAndTheirStatus) {
  TestImage image(4, 2, 24);
  for (int bits : {4, 2, 1, 3}) {
    PngWriteContext c = Plain(bits);
    c.grey = true;
    MemorySink sink;
    EXPECT_EQ(WritePng(image.record, c, &sink), Status::kEncodeFailed) << "grey at " << bits;
  }
  for (int bits : {0, 3, 16, 32}) {
    MemorySink sink;
    EXPECT_EQ(WritePng(image.record, Plain(bits), &sink), Status::kEncodeFailed) << bits;
  }
  MemorySink tiny(20);
  EXPECT_EQ(WritePng(image.record, Plain(), &tiny), Status::kCannotWrite);

  ImageBuffer wide{};
  ResetImageBuffer(&wide);
  uint8_t pixel[4] = {};
  wide.pixels = pixel;  // never read: the width is refused first
  wide.header.width = 89478486, wide.header.height = 1, wide.header.bit_count = 24;
  MemorySink untouched;
  EXPECT_EQ(WritePng(wide, Plain(), &untouched), Status::kCannotWrite);
  EXPECT_TRUE(untouched.bytes().empty());
}

// The widest image that is written, reduced to 1 bit so the test stays small.
TEST(PngWriter, TheWidestImageIsWritten) {
  TestImage wide(kPngWidestWrite, 1, 8);
  PngWriteContext c = Plain(1);
  c.compression_level = 0;
  const Bytes png = Written(wide.record, c);
  EXPECT_EQ(ChunkData(png, "IHDR"), (Bytes{0x05, 0x55, 0x55, 0x55, 0, 0, 0, 1, 1, 3, 0, 0, 0}));
}

// A grey ramp repeated: Sub wins the first row (Paeth only ties it there),
// Up every later row (Paeth ties it again).
TEST(PngFilterMode, AutomaticChoosesByTheScoresRowByRow) {
  TestImage ramp(16, 3, 24);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 16; ++x) ramp.Set(x, y, uint32_t(x) * 0x010101);
  }
  PngWriteContext c = Plain();
  c.filter_mode = 0;
  const Bytes lines = Scanlines(Written(ramp.record, c));
  ASSERT_EQ(lines.size(), 3u * 49);
  EXPECT_EQ(lines[0], 1);
  EXPECT_EQ(lines[49], 2);
  EXPECT_EQ(lines[98], 2);

  // Rows of identical bytes keep None: nothing scores above it.
  TestImage flat(16, 3, 24);
  for (uint32_t colour : {0x000000u, 0xFFFFFFu}) {
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 16; ++x) flat.Set(x, y, colour);
    }
    PngWriteContext automatic = Plain();
    automatic.filter_mode = 0;
    const Bytes flat_lines = Scanlines(Written(flat.record, automatic));
    for (size_t row = 0; row < 3; ++row) EXPECT_EQ(flat_lines[row * 49], 0) << row;
  }
}

TEST(PngFilterMode, FixedModesFilterEveryRow) {
  TestImage image(2, 2, 24);
  image.Set(0, 0, 0x0A141E), image.Set(1, 0, 0x0F1928);
  image.Set(0, 1, 0x0B1520), image.Set(1, 1, 0x101A2A);
  const Bytes expected[5] = {
      {0, 10, 20, 30, 15, 25, 40, /**/ 0, 11, 21, 32, 16, 26, 42},
      {1, 10, 20, 30, 5, 5, 10, /**/ 1, 11, 21, 32, 5, 5, 10},
      {2, 10, 20, 30, 15, 25, 40, /**/ 2, 1, 1, 2, 1, 1, 2},
      {3, 10, 20, 30, 10, 15, 25, /**/ 3, 6, 11, 17, 3, 3, 6},
      {4, 10, 20, 30, 5, 5, 10, /**/ 4, 1, 1, 2, 1, 1, 2},
  };
  for (int mode = 1; mode <= 5; ++mode) {
    PngWriteContext c = Plain();
    c.filter_mode = mode;
    EXPECT_EQ(Scanlines(Written(image.record, c)), expected[mode - 1]) << mode;
  }
  // Palette images are never filtered, whatever the mode.
  IndexedImage indexed({0x000000, 0x111111, 0x222222, 0x333333});
  PngWriteContext c = Plain(8);
  c.filter_mode = 2;
  EXPECT_EQ(Scanlines(Written(indexed.record, c)), (Bytes{0, 0, 1, 2, 3, 0, 0, 1, 2, 3}));
}

// Three by three pixels of palette entries 0 to 8 in the seven passes;
// passes 2 and 3 hold no pixels of so small an image and are left out.
TEST(PngInterlace, ThePassesInOrder) {
  TestImage image(3, 3, 8);
  for (int i = 0; i < 9; ++i) {
    image.SetEntry(i, uint32_t(i) * 0x100000);
    image.SetIndex(i % 3, i / 3, uint8_t(i));
  }
  PngWriteContext c = Plain(8);
  c.interlace = true;
  const Bytes png = Written(image.record, c);
  EXPECT_EQ(ChunkData(png, "IHDR").back(), 1);
  EXPECT_EQ(Scanlines(png), (Bytes{0, 0, /**/ 0, 2, /**/ 0, 6, 8, /**/ 0, 1, /**/ 0, 7,
                                   /**/ 0, 3, 4, 5}));
}

// The image data are exactly one deflate of the scanlines with the level
// (above 9 as 9) and the strategy of the form.
TEST(PngDeflate, LevelAndStrategyAsTheFormWants) {
  const auto deflated = [](const Bytes& raw, int level, int strategy) {
    z_stream z = {};
    deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
    Bytes out(deflateBound(&z, static_cast<uLong>(raw.size())) + 64);
    z.next_in = const_cast<Bytef*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
  };
  TestImage image(64, 64, 24);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) image.Set(x, y, uint32_t((x * 7) ^ (y * 13)) * 0x010203u);
  }
  for (int level : {0, 1, 6, 9, 12}) {
    PngWriteContext c = Plain();
    c.compression_level = level;
    const Bytes png = Written(image.record, c);
    EXPECT_EQ(ChunkData(png, "IDAT"), deflated(Scanlines(png), level > 9 ? 9 : level, Z_FILTERED))
        << level;
    PngWriteContext palette = Plain(8);
    palette.compression_level = level;
    const Bytes indexed = Written(image.record, palette);
    EXPECT_EQ(ChunkData(indexed, "IDAT"),
              deflated(Scanlines(indexed), level > 9 ? 9 : level, Z_DEFAULT_STRATEGY))
        << level;
  }
}

}  // namespace
