// PNG files written by another program: ImageMagick makes every colour type
// and depth, interlaced or not, with tRNS, bKGD and gAMA, from a pixel map
// written here; our decode must equal its own decode of the same file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/big_endian.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr const char* kConvert = "/usr/bin/convert";
constexpr int kWidth = 23, kHeight = 13;

enum class Alpha { kNone, kFull, kBinary };

struct Variant {
  const char* options;  // ImageMagick options and output prefix
  int colours;          // distinct colours drawn, 0 for any
  Alpha alpha;
  uint8_t depth, colour_type;
  bool interlaced;
  const char* chunk;     // a chunk the file must hold, or null
  uint32_t background;   // what transparent pixels show, 0xRRGGBB
};

uint16_t Sample(int x, int y, int channel) {
  return uint16_t((x * 2741 + y * 9157 + channel * 22000 + x * y * 311) & 0xFFFF);
}

// A 16-bit RGBA pixel map; palette and grey variants take few colours,
// whose channels are exact at 8 bits.
std::string PixelMap(const Variant& v) {
  std::string pam = "P7\nWIDTH " + std::to_string(kWidth) + "\nHEIGHT " + std::to_string(kHeight) +
                    "\nDEPTH 4\nMAXVAL 65535\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int index = (x * 3 + y * 5) % (v.colours ? v.colours : 1);
      uint16_t rgba[4];
      for (int c = 0; c < 3; ++c) {
        rgba[c] = v.colours ? uint16_t(((index * 97 + c * 61) % 256) * 257) : Sample(x, y, c);
      }
      rgba[3] = v.alpha == Alpha::kNone ? 65535
                : v.alpha == Alpha::kBinary ? (index % 3 == 0 ? 0 : 65535)
                                            : Sample(x, y, 3);
      for (uint16_t s : rgba) pam += {char(s >> 8), char(s)};
    }
  }
  return pam;
}

bool HoldsChunk(const Bytes& png, const char* type) {
  for (size_t at = 8; at + 8 <= png.size(); at += 12 + LoadU32Be(&png[at])) {
    if (std::string(reinterpret_cast<const char*>(&png[at + 4]), 4) == type) return true;
  }
  return false;
}

uint8_t Blend(int a, int v) { return uint8_t((a * v + 127) / 255); }

class PngInterop : public testing::TestWithParam<Variant> {};

TEST_P(PngInterop, DecodesAsImageMagickDoes) {
  if (access(kConvert, X_OK) != 0) GTEST_SKIP() << "ImageMagick is not installed";
  const Variant v = GetParam();
  TempDir dir;
  const std::string pam = PixelMap(v);
  const std::string in = dir.Write("in.pam", Bytes(pam.begin(), pam.end()));
  const std::string out = dir.File("out.png"), raw = dir.File("out.rgba");
  const std::string make = std::string(kConvert) + " " + in + " " + v.options + out;
  ASSERT_EQ(std::system(make.c_str()), 0) << make;
  const std::string decode = std::string(kConvert) + " " + out + " -depth 16 -endian MSB rgba:" + raw;
  ASSERT_EQ(std::system(decode.c_str()), 0) << decode;

  const Bytes png = ReadWholeFile(out), theirs = ReadWholeFile(raw);
  ASSERT_GE(png.size(), 33u);
  ASSERT_EQ(png[24], v.depth) << "ImageMagick wrote another depth";
  ASSERT_EQ(png[25], v.colour_type) << "ImageMagick wrote another colour type";
  ASSERT_EQ(png[28], v.interlaced ? 1 : 0);
  if (v.chunk) {
    ASSERT_TRUE(HoldsChunk(png, v.chunk)) << "no " << v.chunk;
  }
  ASSERT_EQ(theirs.size(), size_t{kWidth} * kHeight * 8);

  DecodedPng ours;
  DecodeSettings settings;
  settings.png.gamma_correction = false;
  Decode(png, &ours, settings);
  ASSERT_EQ(ours.status, Status::kOk);
  EXPECT_EQ(ours.results.interlaced_or_progressive, v.interlaced);
  EXPECT_EQ(ours.results.transparency, v.alpha != Alpha::kNone);
  const int bg[3] = {int(v.background >> 16), int(v.background >> 8 & 0xFF), int(v.background & 0xFF)};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = &theirs[(size_t(y) * kWidth + x) * 8];
      const int a = p[6];
      uint32_t expected = 0;
      for (int c = 0; c < 3; ++c) expected = expected << 8 | uint8_t(Blend(a, p[2 * c]) + Blend(255 - a, bg[c]));
      ASSERT_EQ(PixelRgb(ours.image, x, y), expected) << x << "," << y;
    }
  }
}


#define PLAIN(options, colours, depth, type) \
  Variant { "-alpha off -define png:exclude-chunk=bKGD " options, colours, Alpha::kNone, depth, type, false, nullptr, 0xFFFFFF }
#define INTERLACED(options, colours, depth, type) \
  Variant { "-alpha off -interlace PNG -define png:exclude-chunk=bKGD " options, colours, Alpha::kNone, depth, type, true, nullptr, 0xFFFFFF }

INSTANTIATE_TEST_SUITE_P(
    ImageMagick, PngInterop,
    testing::Values(
        PLAIN("PNG24:", 0, 8, 2), PLAIN("PNG48:", 0, 16, 2), PLAIN("PNG8:", 40, 8, 3),
        PLAIN("-define png:bit-depth=4 -define png:color-type=3 ", 12, 4, 3),
        PLAIN("-define png:bit-depth=2 -define png:color-type=3 ", 4, 2, 3),
        PLAIN("-define png:bit-depth=1 -define png:color-type=3 ", 2, 1, 3),
        PLAIN("-colorspace Gray -define png:bit-depth=1 -define png:color-type=0 ", 2, 1, 0),
        PLAIN("-colorspace Gray -define png:bit-depth=2 -define png:color-type=0 ", 4, 2, 0),
        PLAIN("-colorspace Gray -define png:bit-depth=4 -define png:color-type=0 ", 16, 4, 0),
        PLAIN("-colorspace Gray -define png:bit-depth=8 -define png:color-type=0 ", 0, 8, 0),
        PLAIN("-colorspace Gray -define png:bit-depth=16 -define png:color-type=0 ", 0, 16, 0),
        INTERLACED("PNG24:", 0, 8, 2), INTERLACED("PNG48:", 0, 16, 2),
        INTERLACED("-define png:bit-depth=4 -define png:color-type=3 ", 12, 4, 3),
        INTERLACED("-colorspace Gray -define png:bit-depth=2 -define png:color-type=0 ", 4, 2, 0),
        Variant{"-define png:exclude-chunk=bKGD PNG32:", 0, Alpha::kFull, 8, 6, false, nullptr, 0xFFFFFF},
        Variant{"-define png:exclude-chunk=bKGD PNG64:", 0, Alpha::kFull, 16, 6, false, nullptr, 0xFFFFFF},
        Variant{"-define png:exclude-chunk=bKGD -interlace PNG PNG32:", 0, Alpha::kFull, 8, 6, true, nullptr,
                0xFFFFFF},
        Variant{"-colorspace Gray -define png:exclude-chunk=bKGD -define png:bit-depth=8 -define png:color-type=4 ",
                0, Alpha::kFull, 8, 4, false, nullptr, 0xFFFFFF},
        Variant{"-colorspace Gray -define png:exclude-chunk=bKGD -define png:bit-depth=16 -define png:color-type=4 ",
                0, Alpha::kFull, 16, 4, false, nullptr, 0xFFFFFF},
        Variant{"-define png:exclude-chunk=bKGD PNG8:", 12, Alpha::kBinary, 8, 3, false, "tRNS", 0xFFFFFF},
        Variant{"-define png:exclude-chunk=bKGD -define png:color-type=2 -define png:bit-depth=8 ", 12,
                Alpha::kBinary, 8, 2, false, "tRNS", 0xFFFFFF},
        Variant{"-colorspace Gray -define png:exclude-chunk=bKGD -define png:color-type=0 -define png:bit-depth=8 ",
                12, Alpha::kBinary, 8, 0, false, "tRNS", 0xFFFFFF},
        Variant{"-background '#3366CC' -define png:include-chunk=bKGD,gAMA PNG32:", 0, Alpha::kFull, 8, 6, false,
                "bKGD", 0x3366CC}));

// The gAMA ImageMagick writes, applied with the display gamma.
TEST(PngInteropGamma, AppliesTheGammaImageMagickWrote) {
  if (access(kConvert, X_OK) != 0) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const Variant v = PLAIN("-set gamma 0.8 PNG24:", 0, 8, 2);
  const std::string pam = PixelMap(v);
  const std::string in = dir.Write("in.pam", Bytes(pam.begin(), pam.end()));
  const std::string out = dir.File("out.png");
  ASSERT_EQ(std::system((std::string(kConvert) + " " + in + " " + v.options + out).c_str()), 0);
  const Bytes png = ReadWholeFile(out);
  size_t at = 8;
  while (at + 8 <= png.size() && std::string(reinterpret_cast<const char*>(&png[at + 4]), 4) != "gAMA") {
    at += 12 + LoadU32Be(&png[at]);
  }
  ASSERT_LT(at + 12, png.size()) << "no gAMA";
  const uint32_t file_gamma = LoadU32Be(&png[at + 8]);
  EXPECT_EQ(file_gamma, 80000u);
  DecodedPng plain, corrected;
  DecodeSettings off;
  off.png.gamma_correction = false;
  Decode(png, &plain, off);
  Decode(png, &corrected);
  ASSERT_EQ(corrected.status, Status::kOk);
  const double e = 1.0 / ((file_gamma / 100000.0) * 2.2);
  for (uint32_t i = 0; i < Stride(plain.image) * kHeight; ++i) {
    if (i % Stride(plain.image) >= kWidth * 3) continue;
    const uint8_t want = uint8_t(std::lround(255.0 * std::pow(plain.image.pixels[i] / 255.0, e)));
    ASSERT_EQ(corrected.image.pixels[i], want) << i;
  }
}

}  // namespace
