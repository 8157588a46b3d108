// The GIF writer: its LZW coder against our decoder and the code widths a
// decoder expects, the file's layout byte for byte, the palette at every
// depth, transparency, interlacing and the refusals.
#include "codecs/gif_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "codecs/gif_lzw.h"
#include "codecs/gif_lzw_encoder.h"
#include "codecs/image_encoders.h"
#include "codecs/memory_sink.h"
#include "tests/unit/gif_write_test_support.h"
#include "tests/unit/image_test_support.h"

namespace {

Bytes Encoded(const Bytes& indices, int min_code_size, size_t piece) {
  Bytes out(GifLzwEncodedBound(indices.size()));
  GifLzwEncoder encoder(min_code_size, out.data());
  for (size_t at = 0; at < indices.size(); at += piece) {
    encoder.Add(indices.data() + at, std::min(piece, indices.size() - at));
  }
  out.resize(encoder.Finish());
  return out;
}

Bytes Decoded(const Bytes& data, int min_code_size, size_t count) {
  Bytes pixels(count + 1, 0xEE);
  EXPECT_EQ(DecodeGifLzw(data.data(), data.size(), min_code_size, pixels.data(), pixels.size()),
            count);
  pixels.pop_back();
  return pixels;
}

Bytes Noise(size_t count, int bits, uint32_t seed) {
  std::mt19937 random(seed);
  Bytes b(count);
  for (uint8_t& v : b) v = uint8_t(random() & ((1u << bits) - 1));
  return b;
}

// The codes as a decoder reads them, its widths following its own table.
struct CodeWalk {
  std::vector<int> codes;
  size_t bits_read = 0;
};

CodeWalk WalkCodes(const Bytes& data, int min_code_size) {
  CodeWalk walk;
  const int clear = 1 << min_code_size;
  int width = min_code_size + 1, next_free = clear + 2;
  bool first = true;
  const size_t total = data.size() * 8;
  while (walk.bits_read + width <= total) {
    int code = 0;
    for (int b = 0; b < width; ++b, ++walk.bits_read) {
      code |= ((data[walk.bits_read / 8] >> (walk.bits_read % 8)) & 1) << b;
    }
    walk.codes.push_back(code);
    if (code == clear + 1) break;
    if (code == clear) {
      width = min_code_size + 1, next_free = clear + 2, first = true;
      continue;
    }
    EXPECT_LE(code, next_free) << "a code the table cannot hold yet";
    if (!first && next_free < 4096 && ++next_free == (1 << width) && width < 12) ++width;
    first = false;
  }
  return walk;
}

// A clear code first, the end code last and in the last byte, nothing after.
void ExpectFramedCodes(const Bytes& data, int min_code_size) {
  const CodeWalk walk = WalkCodes(data, min_code_size);
  ASSERT_FALSE(walk.codes.empty());
  EXPECT_EQ(walk.codes.front(), 1 << min_code_size);
  EXPECT_EQ(walk.codes.back(), (1 << min_code_size) + 1);
  EXPECT_EQ((walk.bits_read + 7) / 8, data.size());
}

TEST(GifLzwEncoder, NoiseRoundTripsAtEveryDepth) {
  for (int bits = 1; bits <= 8; ++bits) {
    const int min = std::max(bits, 2);
    for (size_t count : {size_t{1}, size_t{2}, size_t{3}, size_t{4097}, size_t{150000}}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, " << count << " indices");
      const Bytes indices = Noise(count, bits, uint32_t(count * 8 + bits));
      const Bytes data = Encoded(indices, min, 777);
      EXPECT_EQ(Decoded(data, min, count), indices);
      ExpectFramedCodes(data, min);
      EXPECT_LE(data.size(), GifLzwEncodedBound(count));
    }
  }
}

// A million noisy 8-bit indices fill the table again and again; each time
// a clear code starts it afresh before entry 4095 would be made.
TEST(GifLzwEncoder, LargeNoiseResetsTheTable) {
  const Bytes indices = Noise(1000 * 1000, 8, 7);
  const Bytes data = Encoded(indices, 8, 1000);
  EXPECT_EQ(Decoded(data, 8, indices.size()), indices);
  const CodeWalk walk = WalkCodes(data, 8);
  const size_t clears = size_t(std::count(walk.codes.begin(), walk.codes.end(), 256));
  EXPECT_GT(clears, 100u);
  size_t since_clear = 0, longest = 0;
  for (int code : walk.codes) {
    since_clear = code == 256 ? 0 : since_clear + 1;
    longest = std::max(longest, since_clear);
  }
  EXPECT_EQ(longest, 4095u - 258u + 1) << "codes between clears: one per entry 258 to 4094, "
                                          "and the one after the last";
  ExpectFramedCodes(data, 8);
}

// Runs of one index make strings one longer with every code, so the last
// code lands on every table size, the widening ones included.
TEST(GifLzwEncoder, RunsOfEveryLengthEndWithTheRightWidth) {
  for (int min : {2, 8}) {
    for (size_t n = 1; n <= 2600; ++n) {
      SCOPED_TRACE(testing::Message() << "min " << min << ", run of " << n);
      const Bytes run(n, 1);
      const Bytes data = Encoded(run, min, n);
      ASSERT_EQ(Decoded(data, min, n), run);
      ExpectFramedCodes(data, min);
    }
  }
  Bytes stripes(300000);
  for (size_t i = 0; i < stripes.size(); ++i) stripes[i] = uint8_t((i / 37) % 3);
  const Bytes data = Encoded(stripes, 2, 4096);
  EXPECT_EQ(Decoded(data, 2, stripes.size()), stripes);
  ExpectFramedCodes(data, 2);
}

Bytes Written(const ImageBuffer& image, const GifWriteContext& context) {
  MemorySink sink;
  EXPECT_EQ(WriteGif(image, context, &sink), Status::kOk);
  return sink.bytes();
}

GifWriteContext AtBits(int bits) {
  GifWriteContext c;
  c.bits = bits;
  return c;
}

// A 3 x 2 picture of three colours, the first met (bottom row, left) red.
class ThreeColours : public TestImage {
 public:
  ThreeColours() : TestImage(3, 2, 24) {
    const uint32_t top[] = {0x0000FF, 0x00FF00, 0x0000FF};
    const uint32_t bottom[] = {0xFF0000, 0x00FF00, 0xFF0000};
    for (int x = 0; x < 3; ++x) Set(x, 0, top[x]), Set(x, 1, bottom[x]);
  }
};

TEST(GifWriter, LaysOutTheFileByteForByte) {
  ThreeColours image;
  const Bytes file = Written(image.record, AtBits(2));
  const Bytes head = {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x91, 0, 0,
                      0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0,  // table
                      0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0, 2};
  ASSERT_GT(file.size(), head.size());
  EXPECT_EQ(Bytes(file.begin(), file.begin() + head.size()), head);
  const WrittenGif g = TakeApart(file);
  EXPECT_TRUE(g.trailer_last);
  EXPECT_EQ(g.block_sizes.back(), 0u);
  EXPECT_EQ(PictureIndices(g), (Bytes{2, 1, 2, 0, 1, 0})) << "rows from the picture's top";
}

// Every depth is a palette depth; an image with no more colours than the
// depth holds keeps them exactly. One bit is black and white by grey level.
TEST(GifWriter, WritesEveryDepthWithItsTableAndCodeSize) {
  for (int bits = 1; bits <= 8; ++bits) {
    SCOPED_TRACE(testing::Message() << bits << " bits");
    const int colours = 1 << bits;
    TestImage image(19, 11, 24);
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 19; ++x) {
        const uint32_t i = uint32_t(x * 5 + y * 3 + x * y) % uint32_t(colours);
        image.Set(x, y, bits == 1 ? (i ? 0xFFFFFF : 0) : (i * 0x3F1D07u + 0x010203u) & 0xFFFFFF);
      }
    }
    const WrittenGif g = TakeApart(Written(image.record, AtBits(bits)));
    EXPECT_EQ(g.screen_packed, 0x80 | (bits - 1) << 4 | (bits - 1));
    EXPECT_EQ(g.table.size(), 3u << bits);
    EXPECT_EQ(g.min_code_size, std::max(bits, 2));
    EXPECT_EQ(g.background, 0);
    EXPECT_TRUE(g.control.empty());
    const Bytes picture = PictureIndices(g);
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 19; ++x) {
        ASSERT_EQ(TableColour(g, picture[size_t(y) * 19 + x]), image.Rgb(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(GifWriter, EightBitImageKeepsItsPaletteInIndexOrder) {
  TestImage image(4, 1, 8);
  image.SetEntry(0, 0x102030), image.SetEntry(1, 0x405060), image.SetEntry(2, 0x102030);
  image.SetEntry(3, 0xA0B0C0);
  for (int x = 0; x < 4; ++x) image.SetIndex(x, 0, uint8_t(x));
  const WrittenGif g = TakeApart(Written(image.record, AtBits(8)));
  EXPECT_EQ(TableColour(g, 0), 0x102030u);
  EXPECT_EQ(TableColour(g, 1), 0x405060u);
  EXPECT_EQ(TableColour(g, 2), 0xA0B0C0u);
  EXPECT_EQ(PictureIndices(g), (Bytes{0, 1, 0, 2})) << "a repeated colour listed once";
}

TEST(GifWriter, TransparentColourIsTheBackgroundAndTheControlIndex) {
  ThreeColours image;
  GifWriteContext c = AtBits(2);
  c.transparency = true;
  c.transparent_colour = 0x00FF00;  // green, entry 1
  WrittenGif g = TakeApart(Written(image.record, c));
  EXPECT_EQ(g.background, 1);
  EXPECT_EQ(g.control, (Bytes{0x21, 0xF9, 0x04, 0x01, 0, 0, 1, 0}));

  c.transparent_colour = 0xF00010;  // nearest to blue (0xFF in the low byte is red)
  g = TakeApart(Written(image.record, c));
  EXPECT_EQ(g.background, 2);
  EXPECT_EQ(g.control.at(6), 2);
}

// Entry 3 of a three-colour image is unused padding; black must not go there
// while the image's own darkest colour stays opaque.
TEST(GifWriter, TransparencyPicksOnlyAmongColoursTheImageUses) {
  ThreeColours image;
  GifWriteContext c = AtBits(2);
  c.transparency = true;
  c.transparent_colour = 0x000000;
  const WrittenGif g = TakeApart(Written(image.record, c));
  EXPECT_LT(g.background, 3);
  EXPECT_EQ(TableColour(g, g.background), 0xFF0000u) << "red, green and blue are equally "
                                                         "near; the lowest index wins";
}

TEST(GifWriter, InterlacedRowsComeInFourPasses) {
  TestImage image(2, 19, 8);
  for (int y = 0; y < 19; ++y) {
    image.SetEntry(y, uint32_t(y) * 0x0A0A0A);
    image.SetIndex(0, y, uint8_t(y)), image.SetIndex(1, y, uint8_t(y));
  }
  GifWriteContext c = AtBits(5);
  c.interlace = true;
  const WrittenGif g = TakeApart(Written(image.record, c));
  EXPECT_EQ(g.image_packed, 0x40);
  const Bytes stream = StreamIndices(g);
  const std::vector<uint32_t> order = {0, 8, 16, 4, 12, 2, 6, 10, 14, 18,
                                       1, 3, 5, 7, 9, 11, 13, 15, 17};
  ASSERT_EQ(InterlacedRowOrder(19), order);
  for (size_t k = 0; k < order.size(); ++k) {
    EXPECT_EQ(TableColour(g, stream[2 * k]), order[k] * 0x0A0A0A) << "stream row " << k;
  }
}

TEST(GifWriter, DataComesInSubBlocksOfAtMost255Bytes) {
  TestImage image(300, 200, 8);
  const Bytes noise = Noise(300 * 200, 8, 3);
  for (int i = 0; i < 256; ++i) image.SetEntry(i, uint32_t(i) * 0x010101);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) image.SetIndex(x, y, noise[size_t(y) * 300 + x]);
  }
  const WrittenGif g = TakeApart(Written(image.record, AtBits(8)));
  ASSERT_GT(g.block_sizes.size(), 3u);
  for (size_t i = 0; i + 2 < g.block_sizes.size(); ++i) EXPECT_EQ(g.block_sizes[i], 255u);
  EXPECT_GT(g.block_sizes[g.block_sizes.size() - 2], 0u);
  EXPECT_EQ(g.block_sizes.back(), 0u);
  EXPECT_TRUE(g.trailer_last);
  EXPECT_EQ(PictureIndices(g), noise);
}

TEST(GifWriter, TinyImageAtEveryDepth) {
  for (int bits = 1; bits <= 8; ++bits) {
    TestImage image(1, 1, 24);
    image.Set(0, 0, 0xFFFFFF);
    const WrittenGif g = TakeApart(Written(image.record, AtBits(bits)));
    ASSERT_EQ(PictureIndices(g).size(), 1u);
    EXPECT_EQ(TableColour(g, PictureIndices(g)[0]), 0xFFFFFFu) << bits;
  }
}

TEST(GifWriter, RefusesWhatItCannotWrite) {
  {
    TestImage wide(70000, 1, 8);
    MemorySink sink;
    EXPECT_EQ(WriteGif(wide.record, AtBits(8), &sink), Status::kCannotWrite);
    EXPECT_TRUE(sink.bytes().empty());
  }
  {
    TestImage tall(1, 65536, 8);
    MemorySink sink;
    EXPECT_EQ(WriteGif(tall.record, AtBits(8), &sink), Status::kCannotWrite);
    EXPECT_TRUE(sink.bytes().empty());
  }
  ThreeColours image;
  for (int bits : {0, 9, 24}) {
    MemorySink sink;
    EXPECT_EQ(WriteGif(image.record, AtBits(bits), &sink), Status::kEncodeFailed) << bits;
  }
  MemorySink full(20);
  EXPECT_EQ(WriteGif(image.record, AtBits(8), &full), Status::kCannotWrite);
}

TEST(GifWriter, SaveOptionsReachTheWriter) {
  ThreeColours image;
  SaveOptions o;
  o.type = kSaveGif;
  o.gif_depth = 3;
  o.interlace = true;
  o.transparency = true;
  o.transparent_colour = 0x00FF00;
  MemorySink sink;
  ASSERT_EQ(EncodeImage(image.record, o, &sink, nullptr), Status::kOk);
  const WrittenGif g = TakeApart(sink.bytes());
  EXPECT_EQ(g.screen_packed, 0x80 | 2 << 4 | 2);
  EXPECT_EQ(g.image_packed, 0x40);
  EXPECT_EQ(g.control.at(6), g.background);
  EXPECT_EQ(TableColour(g, g.background), 0x00FF00u);

  TestImage wide(65536, 1, 24);
  MemorySink nothing;
  EXPECT_EQ(EncodeImage(wide.record, o, &nothing, nullptr), Status::kCannotWrite);
  EXPECT_TRUE(nothing.bytes().empty());
}

}  // namespace
