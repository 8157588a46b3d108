// JPEG files written by another program: ImageMagick encodes a picture made
// here with every chroma subsampling, progressive, grey and CMYK, and our
// decode must equal its own decode of the same file with the same integer
// transform: byte for byte, CMYK included, whose products ImageMagick
// rounds down as we do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/jpeg_reader.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Not multiples of 16, so the partial blocks at the edges take part.
constexpr int kWidth = 45, kHeight = 31;

struct Variant {
  const char* name;
  const char* options;  // ImageMagick's writing options
  bool grey;
  bool progressive;
  const char* sampling;  // what ImageMagick reports, or null for grey
};

// Gradients with some texture, so upsampling and the transform show.
std::string PixelMap() {
  std::string ppm = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      ppm += char(x * 255 / (kWidth - 1));
      ppm += char((y * 8 + (x % 5) * 20) & 0xFF);
      ppm += char(((x ^ y) * 11) & 0xFF);
    }
  }
  return ppm;
}

struct Decoded {
  OwnedImage owned;
  ImageBuffer& image = owned.record;
  LoadResults results;
  std::string error_text;
};

// ImageMagick's file and its own decode, red, green and blue from the top.
struct Written {
  Bytes jpeg;
  Bytes rgb;
};

Written WriteWithImageMagick(const TempDir& dir, const std::string& options) {
  const std::string ppm = PixelMap();
  const std::string in = dir.Write("in.ppm", Bytes(ppm.begin(), ppm.end()));
  const std::string out = dir.File("out.jpg"), raw = dir.File("out.rgb");
  EXPECT_TRUE(RunTool(kConvert, in + " " + options + " " + out));
  // The islow transform is the library's default, which we keep; CMYK
  // becomes RGB in ImageMagick's own arithmetic.
  EXPECT_TRUE(RunTool(kConvert, "-define jpeg:dct-method=islow " + out +
                                    (options.find("CMYK") != std::string::npos ? " -colorspace sRGB" : "") +
                                    " -depth 8 rgb:" + raw));
  return {ReadWholeFile(out), ReadWholeFile(raw)};
}

class JpegInterop : public testing::TestWithParam<Variant> {};

TEST_P(JpegInterop, DecodesAsImageMagickDoes) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  const Variant v = GetParam();
  TempDir dir;
  const Written w = WriteWithImageMagick(dir, v.options);
  ASSERT_EQ(w.rgb.size(), size_t{kWidth} * kHeight * 3);
  if (v.sampling) {
    ASSERT_EQ(Identified("%[jpeg:sampling-factor]", dir.File("out.jpg")), v.sampling)
        << "ImageMagick wrote another sampling";
  }

  Decoded ours;
  ASSERT_EQ(ReadJpegBytes(w.jpeg.data(), w.jpeg.size(), &ours.image, &ours.results, &ours.error_text),
            Status::kOk)
      << ours.error_text;
  EXPECT_EQ(ours.results.interlaced_or_progressive, v.progressive);
  ASSERT_EQ(ours.image.header.width, kWidth);
  ASSERT_EQ(ours.image.header.height, kHeight);
  ASSERT_EQ(ours.image.header.bit_count, v.grey ? 8 : 24);
  int worst = 0;
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* row = RowFromTop(ours.image, y);
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* theirs = &w.rgb[(size_t(y) * kWidth + x) * 3];
      for (int c = 0; c < 3; ++c) {
        const int mine = v.grey ? ours.image.palette[row[x]].red : row[3 * x + 2 - c];
        worst = std::max(worst, std::abs(mine - theirs[c]));
      }
    }
  }
  EXPECT_EQ(worst, 0) << v.name << ": channels differ by up to " << worst;
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagick, JpegInterop,
    testing::Values(Variant{"420", "-quality 90 -sampling-factor 2x2", false, false, "2x2,1x1,1x1"},
                    Variant{"422", "-quality 90 -sampling-factor 2x1", false, false, "2x1,1x1,1x1"},
                    Variant{"444", "-quality 90 -sampling-factor 1x1", false, false, "1x1,1x1,1x1"},
                    Variant{"progressive", "-quality 85 -sampling-factor 2x2 -interlace JPEG", false, true,
                            "2x2,1x1,1x1"},
                    Variant{"grey", "-quality 90 -colorspace Gray", true, false, nullptr},
                    Variant{"cmyk", "-quality 95 -colorspace CMYK", false, false, nullptr}),
    [](const testing::TestParamInfo<Variant>& param) { return std::string(param.param.name); });

TEST(JpegInteropDensity, ReadsImageMagicksDensityInPixelsPerMetre) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  struct Case {
    const char* options;
    int32_t x, y;
  };
  const Case cases[] = {{"-density 300 -units PixelsPerInch", 11811, 11811},
                        {"-density 118x40 -units PixelsPerCentimeter", 11800, 4000}};
  for (const Case& c : cases) {
    TempDir dir;
    const Written w = WriteWithImageMagick(dir, c.options);
    Decoded ours;
    ASSERT_EQ(ReadJpegBytes(w.jpeg.data(), w.jpeg.size(), &ours.image), Status::kOk);
    EXPECT_EQ(ours.image.header.x_pels_per_meter, c.x) << c.options;
    EXPECT_EQ(ours.image.header.y_pels_per_meter, c.y) << c.options;
  }
}

}  // namespace
