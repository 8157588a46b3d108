// BMP files written by another program: ImageMagick makes them from pixel
// maps written here, in the variants it writes by default (V5 headers with
// the colour table behind them, bit fields with alpha) and the plain ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/bmp_reader.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/test_files.h"

namespace {

struct Variant {
  const char* options;  // ImageMagick options and output prefix
  uint32_t colours;     // distinct colours drawn
  uint32_t header_size;
  uint32_t bits;
};

// Colours whose channels are all 0 or 255 survive 5- and 6-bit channels.
uint32_t Colour(uint32_t i, uint32_t colours) {
  if (colours == 2) return i ? 0xFFFFFF : 0;  // what a bilevel image holds
  if (colours <= 8) return (i & 1 ? 0xFF0000 : 0) | (i & 2 ? 0x00FF00 : 0) | (i & 4 ? 0x0000FF : 0);
  return (i * 0x2F4B61u + 0x102030u) & 0xFFFFFF;
}

class BmpInterop : public testing::TestWithParam<Variant> {};

TEST_P(BmpInterop, ReadsWhatAnotherProgramWrote) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  const Variant v = GetParam();
  const int width = 7, height = 5;
  std::string ppm = "P6\n7 5\n255\n";
  for (int i = 0; i < width * height; ++i) {
    const uint32_t c = Colour(static_cast<uint32_t>(i) % v.colours, v.colours);
    ppm += {char(c >> 16), char(c >> 8), char(c)};
  }
  TempDir dir;
  const std::string in = dir.Write("in.ppm", std::vector<uint8_t>(ppm.begin(), ppm.end()));
  const std::string out = dir.File("out.bmp");
  ASSERT_TRUE(RunTool(kConvert, in + " " + v.options + out)) << v.options;

  const std::vector<uint8_t> bytes = ReadWholeFile(out);
  ASSERT_GE(bytes.size(), 54u);
  ASSERT_EQ(LoadU32(&bytes[14]), v.header_size) << "ImageMagick wrote another header";
  ASSERT_EQ(LoadU16(&bytes[28]), v.bits) << "ImageMagick wrote another depth";
  ImageBuffer image{};
  ASSERT_EQ(ReadBmpBytes(bytes.data(), bytes.size(), &image), Status::kOk);
  EXPECT_EQ(image.source_bits_per_pixel, v.bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t expected = Colour(static_cast<uint32_t>(y * width + x) % v.colours, v.colours);
      ASSERT_EQ(PixelRgb(image, x, y), expected) << x << "," << y;
    }
  }
  ReleasePixels(&image);
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagick, BmpInterop,
    testing::Values(Variant{"BMP3:", 35, 40, 24}, Variant{"", 35, 124, 24},
                    Variant{"-type Palette -compress none BMP3:", 30, 40, 8},
                    Variant{"-type Palette -compress none ", 30, 124, 8},
                    Variant{"-type Palette ", 12, 124, 4}, Variant{"-type Palette BMP3:", 12, 40, 4},
                    Variant{"-type Palette BMP3:", 2, 40, 1}, Variant{"-type bilevel ", 2, 108, 1},
                    Variant{"-define bmp:subtype=RGB565 ", 8, 124, 16},
                    Variant{"-define bmp:subtype=RGB555 ", 8, 124, 16},
                    Variant{"-alpha on ", 35, 124, 32}));

}  // namespace
