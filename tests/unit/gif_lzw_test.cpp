// The GIF LZW decoder: the code rules on streams packed bit by bit here,
// and the image data of ImageMagick's own GIF files.
#include "codecs/gif_lzw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Codes of given widths packed least significant bit first.
class CodePacker {
 public:
  CodePacker& Code(int code, int width) {
    bits_ |= uint64_t(code) << held_;
    held_ += width;
    while (held_ >= 8) {
      bytes_.push_back(uint8_t(bits_));
      bits_ >>= 8;
      held_ -= 8;
    }
    return *this;
  }
  Bytes bytes() const {
    Bytes b = bytes_;
    if (held_ > 0) b.push_back(uint8_t(bits_));
    return b;
  }

 private:
  Bytes bytes_;
  uint64_t bits_ = 0;
  int held_ = 0;
};

Bytes Decode(const Bytes& data, int min_code_size, size_t count, size_t* written = nullptr) {
  Bytes pixels(count, 0xEE);
  const size_t n = DecodeGifLzw(data.data(), data.size(), min_code_size, pixels.data(), count);
  if (written) *written = n;
  return pixels;
}

// Minimum size 2: clear 4, end 5, first free 6; codes start 3 bits wide.
TEST(GifLzw, StringsGrowFromTheirPrefixesIncludingTheCodeNotYetMade) {
  // After the literal 1, codes 6 and then 7 are each the very entry their
  // own arrival makes: the previous string and its own first byte.
  const Bytes data = CodePacker().Code(4, 3).Code(1, 3).Code(6, 3).Code(7, 3).Code(2, 4).Code(5, 4).bytes();
  size_t written = 0;
  EXPECT_EQ(Decode(data, 2, 9, &written), (Bytes{1, 1, 1, 1, 1, 1, 2, 0xEE, 0xEE}));
  EXPECT_EQ(written, 7u);
}

TEST(GifLzw, TheCodeWidthGrowsWhenTheNextFreeCodeNeedsAnotherBit) {
  // Literals 0,1,2,3 add codes 6, 7 (width becomes 4 once 8 is next), 8...
  CodePacker p;
  p.Code(4, 3).Code(0, 3).Code(1, 3).Code(2, 3);  // adds 6, 7; next free 8: width 4
  p.Code(3, 4).Code(6, 4).Code(5, 4);             // adds 8 = "2 3", 9 = "3 0"
  EXPECT_EQ(Decode(p.bytes(), 2, 6), (Bytes{0, 1, 2, 3, 0, 1}));
}

TEST(GifLzw, AFullTableAddsNothingUntilTheNextClear) {
  // Minimum size 8: clear 256, end 257. 3838 literal pairs fill the table
  // to 4096; then codes stay 12 bits wide and add no entry, so 4095 stays
  // the last string made, until a clear starts again at 9 bits.
  CodePacker p;
  p.Code(256, 9);
  int width = 9, next = 258;
  Bytes expected;
  for (int i = 0; next < 4096 + 1; ++i) {
    const int literal = i % 256;
    p.Code(literal, width);
    expected.push_back(uint8_t(literal));
    if (i > 0) ++next;
    if (next == (1 << width) && width < 12) ++width;
    if (next == 4096) break;
  }
  p.Code(65, 12).Code(4095, 12).Code(256, 12).Code(7, 9).Code(257, 9);
  expected.push_back(65);
  const Bytes last_two = {expected[expected.size() - 3], expected[expected.size() - 2]};
  expected.insert(expected.end(), last_two.begin(), last_two.end());
  expected.push_back(7);
  size_t written = 0;
  const Bytes out = Decode(p.bytes(), 8, expected.size(), &written);
  EXPECT_EQ(written, expected.size());
  EXPECT_EQ(out, expected);
}

TEST(GifLzw, OutputStopsAtTheImageAndAtBrokenCodes) {
  const Bytes data = CodePacker().Code(4, 3).Code(3, 3).Code(6, 3).Code(6, 3).Code(5, 3).bytes();
  EXPECT_EQ(Decode(data, 2, 4), (Bytes{3, 3, 3, 3})) << "output beyond the pixels is dropped";
  // A code beyond the next free one ends decoding, as does a first code
  // that is no literal; what was not reached keeps its value.
  EXPECT_EQ(Decode(CodePacker().Code(4, 3).Code(2, 3).Code(7, 3).bytes(), 2, 3),
            (Bytes{2, 0xEE, 0xEE}));
  EXPECT_EQ(Decode(CodePacker().Code(4, 3).Code(6, 3).bytes(), 2, 2), (Bytes{0xEE, 0xEE}));
  EXPECT_EQ(Decode(Bytes{}, 2, 2), (Bytes{0xEE, 0xEE})) << "no data";
  size_t written = 7;
  Decode(Bytes{0x04}, 1, 2, &written);
  EXPECT_EQ(written, 0u) << "minimum code size below 2";
  Decode(Bytes{0x04}, 9, 2, &written);
  EXPECT_EQ(written, 0u) << "minimum code size above 8";
}

// The first image of a GIF file: its colour table, size and the joined
// image data, read just far enough for these files.
struct GifImage {
  int width = 0, height = 0, min_code_size = 0;
  Bytes table;  // red, green, blue
  Bytes data;
};

bool FirstImage(const Bytes& gif, GifImage* image) {
  if (gif.size() < 13 || !(gif[10] & 0x80)) return false;
  size_t at = 13;
  const size_t global = 3u << ((gif[10] & 7) + 1);
  image->table.assign(gif.begin() + at, gif.begin() + at + global);
  at += global;
  while (at < gif.size() && gif[at] == 0x21) {  // extensions: label, sub-blocks
    at += 2;
    while (at < gif.size() && gif[at] != 0) at += gif[at] + 1;
    ++at;
  }
  if (at + 11 > gif.size() || gif[at] != 0x2C || (gif[at + 9] & 0xC0)) return false;
  image->width = gif[at + 5] | gif[at + 6] << 8;
  image->height = gif[at + 7] | gif[at + 8] << 8;
  at += 10;
  image->min_code_size = gif[at++];
  while (at < gif.size() && gif[at] != 0) {
    image->data.insert(image->data.end(), gif.begin() + at + 1, gif.begin() + at + 1 + gif[at]);
    at += gif[at] + 1;
  }
  return true;
}

TEST(GifLzw, DecodesImageMagicksGifsToItsOwnPixels) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  struct Case {
    const char* options;
    const char* what;
  };
  const Case cases[] = {
      {"-size 37x23 plasma: -colors 256", "256 colours, odd width"},
      {"-size 37x23 plasma: -colors 4", "4 colours: minimum code size 2"},
      {"-size 300x200 plasma: -colors 200", "large enough to fill the table and clear it"},
      {"-size 64x64 xc:red", "one colour, long runs"},
  };
  for (const Case& c : cases) {
    const std::string gif = dir.File("picture.gif");
    ASSERT_TRUE(RunTool(kConvert, std::string("-seed 11 ") + c.options + " +dither " + gif)) << c.what;
    GifImage image;
    ASSERT_TRUE(FirstImage(ReadWholeFile(gif), &image)) << c.what;
    const size_t count = size_t(image.width) * size_t(image.height);
    size_t written = 0;
    const Bytes indices = Decode(image.data, image.min_code_size, count, &written);
    EXPECT_EQ(written, count) << c.what;
    Bytes rgb;
    for (uint8_t index : indices) {
      rgb.insert(rgb.end(), image.table.begin() + 3 * index, image.table.begin() + 3 * index + 3);
    }
    EXPECT_EQ(rgb, DecodedRgb(dir, gif)) << c.what;
  }
}

}  // namespace
