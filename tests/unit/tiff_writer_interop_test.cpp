// TIFF files the writer makes, read by ImageMagick and checked by libtiff's
// tiffinfo: the depth and interpretation each says, and the pixels, which
// are the ones our own reader takes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/memory_sink.h"
#include "codecs/tiff_reader.h"
#include "codecs/tiff_writer.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kTiffInfo = "/usr/bin/tiffinfo";

// Forty colours over a 37 x 9 picture: odd rows, and more colours than four
// bits hold, so the reduction is at work too.
class Picture : public TestImage {
 public:
  Picture() : TestImage(37, 9, 24) {
    record.header.x_pels_per_meter = 3937;  // 100 pixels per inch
    record.header.y_pels_per_meter = 3937;
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 37; ++x) {
        const int k = (x + 3 * y) % 40;
        Set(x, y, uint32_t(k * 6) << 16 | uint32_t(255 - k * 5) << 8 | uint32_t(k * 97 % 256));
      }
    }
  }
};

Bytes OurRgb(const Bytes& file) {
  OwnedImage image;
  EXPECT_EQ(ReadTiffBytes(file.data(), file.size(), &image.record), Status::kOk);
  Bytes rgb;
  for (int y = 0; y < image.record.header.height; ++y) {
    for (int x = 0; x < image.record.header.width; ++x) {
      const uint32_t c = PixelRgb(image.record, x, y);
      rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  return rgb;
}

TEST(TiffWriterInterop, ImageMagickAndLibtiffReadEveryDepth) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  struct Case {
    int bits;
    bool grey;
    const char* depth;        // bits per sample as ImageMagick reports it
    const char* photometric;  // as ImageMagick names it
    const char* tiffinfo;     // libtiff's name for it
  };
  const Case cases[] = {
      {24, false, "8", "RGB", "RGB color"},
      {8, false, "8", "palette", "palette color (RGB from colormap)"},
      {8, true, "8", "min-is-black", "min-is-black"},
      {4, false, "4", "palette", "palette color (RGB from colormap)"},
      {1, false, "1", "min-is-black", "min-is-black"},
  };
  Picture picture;
  TempDir dir;
  for (const Case& k : cases) {
    const std::string what = std::to_string(k.bits) + (k.grey ? " grey" : "");
    TiffWriteContext c;
    c.bits = k.bits;
    c.grey = k.grey;
    c.x_resolution = picture.record.header.x_pels_per_meter;
    c.y_resolution = picture.record.header.y_pels_per_meter;
    MemorySink sink;
    ASSERT_EQ(WriteTiff(picture.record, c, &sink), Status::kOk) << what;
    const std::string file = dir.Write("written.tif", sink.bytes());
    EXPECT_EQ(Identified("%w %h %z %[tiff:photometric] %[fx:round(resolution.x*1000)]", file),
              std::string("37 9 ") + k.depth + " " + k.photometric + " 100000")
        << what;
    EXPECT_EQ(DecodedRgb(dir, file), OurRgb(sink.bytes())) << what;
    if (access(kTiffInfo, X_OK) != 0) continue;
    const std::string info = CommandOutput(std::string(kTiffInfo) + " " + file);
    EXPECT_NE(info.find("Photometric Interpretation: " + std::string(k.tiffinfo) + "\n"),
              std::string::npos)
        << what << info;
    EXPECT_NE(info.find("Resolution: 99.9998, 99.9998 pixels/inch"), std::string::npos) << info;
    EXPECT_EQ(info.find("Warning"), std::string::npos) << info;
  }
}

}  // namespace
