// TIFF files written by ImageMagick without compression, in both byte
// orders (its -endian option does not reach the TIFF coder; the define does), at every depth and interpretation the reader shows, with strips
// of a few rows: every pixel must equal ImageMagick's own decoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/tiff_reader.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kWidth = 13;
constexpr int kHeight = 7;

// A picture with many colours and a few repeated ones, as raw red, green, blue.
Bytes Picture() {
  Bytes rgb;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      rgb.insert(rgb.end(), {uint8_t(x * 19), uint8_t(y * 37), uint8_t((x + y) % 3 * 120)});
    }
  }
  return rgb;
}

TEST(TiffInterop, ImageMagickFilesDecodeAsImageMagickDecodesThem) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const std::string source = dir.Write("picture.rgb", Picture());
  const char* const kinds[] = {
      "-type TrueColor",
      "-type TrueColor -depth 16",
      "-type Palette",
      "-type Grayscale",
      "-type Bilevel -depth 1",
      "-type Grayscale -depth 4",
      "-type Palette -colors 16 -depth 4",
      "-type Palette -colors 2 -depth 1",
      "-type TrueColor -define tiff:rows-per-strip=3",
      "-type Palette -define tiff:rows-per-strip=2",
      "-type TrueColor -density 72 -units PixelsPerInch",
  };
  for (const char* kind : kinds) {
    for (const char* endian : {"lsb", "msb"}) {
      const std::string what = std::string(kind) + " " + endian;
      const std::string file = dir.File("picture.tif");
      const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
      ASSERT_TRUE(RunTool(kConvert, "-size " + size + " -depth 8 rgb:" + source + " " + kind +
                                        " -compress none -define tiff:endian=" + endian + " " + file))
          << what;
      const Bytes tiff = ReadWholeFile(file);
      OwnedImage image;
      ASSERT_EQ(ReadTiffBytes(tiff.data(), tiff.size(), &image.record), Status::kOk) << what;
      EXPECT_EQ(ImageRgb(image.record), DecodedRgb(dir, file)) << what;
    }
  }
}

TEST(TiffInterop, ImageMagickResolutionIsKept) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const std::string source = dir.Write("picture.rgb", Picture());
  const std::string file = dir.File("picture.tif");
  ASSERT_TRUE(RunTool(kConvert, "-size 13x7 -depth 8 rgb:" + source +
                                    " -compress none -density 72 -units PixelsPerInch " + file));
  const Bytes tiff = ReadWholeFile(file);
  OwnedImage image;
  ASSERT_EQ(ReadTiffBytes(tiff.data(), tiff.size(), &image.record), Status::kOk);
  EXPECT_EQ(image.record.header.x_pels_per_meter, 2835);
  EXPECT_EQ(image.record.header.y_pels_per_meter, 2835);
}

}  // namespace
