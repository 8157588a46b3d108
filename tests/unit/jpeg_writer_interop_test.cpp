// JPEG files the writer makes, read by ImageMagick: the frame it reports
// (size, sampling, colour space, progression, density, comment), pixels
// close to the source, and a kept Exif block with its new orientation,
// pixel size and thumbnail, starting from a file ImageMagick wrote.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/image_encoders.h"
#include "codecs/jpeg_kept_exif.h"
#include "codecs/jpeg_writer.h"
#include "codecs/memory_sink.h"
#include "codecs/png_writer.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/jpeg_test_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr int kWidth = 93, kHeight = 41;

void Draw(TestImage* image) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t r = uint32_t(x * 255 / (kWidth - 1));
      const uint32_t g = uint32_t(y * 255 / (kHeight - 1));
      const uint32_t b = uint32_t(128 + 60 * ((x / 8 + y / 8) % 2));
      image->Set(x, y, (r << 16) | (g << 8) | b);
    }
  }
}

// compare's PSNR in dB between two files; "inf" counts as very high.
double Psnr(const std::string& a, const std::string& b) {
  const std::string text = CommandOutput(std::string("/usr/bin/compare -metric PSNR ") + a + " " + b + " null:");
  if (text.rfind("inf", 0) == 0) return 1000;
  return std::atof(text.c_str());
}

struct Form {
  const char* name;
  int subsampling;
  bool greyscale;
  bool progressive;
  int quality;
  const char* sampling;    // as identify reports it
  const char* colorspace;
  double least_psnr;
};

const Form kForms[] = {
    {"s420", 0, false, false, 90, "2x2,1x1,1x1", "sRGB", 30},
    {"s422", 1, false, false, 90, "2x1,1x1,1x1", "sRGB", 30},
    {"s444", 2, false, true, 100, "1x1,1x1,1x1", "sRGB", 40},
    {"grey", 0, true, false, 90, "1x1", "Gray", 0},
    {"progressive420", 0, false, true, 75, "2x2,1x1,1x1", "sRGB", 28},
};

class JpegWriterInterop : public testing::TestWithParam<Form> {};

TEST_P(JpegWriterInterop, ImageMagickReadsTheFrameAndThePixels) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  const Form& f = GetParam();
  TestImage image(kWidth, kHeight, 24);
  Draw(&image);
  JpegWriteContext c;
  c.quality = f.quality;
  c.subsampling = f.subsampling;
  c.greyscale = f.greyscale;
  c.progressive = f.progressive;
  c.x_resolution = c.y_resolution = 11811;
  c.comment = "Written by the JPEG writer's test";
  MemorySink jpeg;
  std::string text;
  ASSERT_EQ(WriteJpeg(image.record, c, &jpeg, &text), Status::kOk) << text;
  MemorySink png;
  PngWriteContext p;
  p.target_bits = 24;
  ASSERT_EQ(WritePng(image.record, p, &png), Status::kOk);

  TempDir dir;
  const std::string ours = dir.Write("ours.jpg", jpeg.bytes());
  const std::string source = dir.Write("source.png", png.bytes());
  const std::string expected = std::string("JPEG 93 41 ") + f.sampling + " " + f.colorspace + " " +
                               (f.progressive ? "JPEG" : "None") +
                               " 300 300 PixelsPerInch Written by the JPEG writer's test";
  EXPECT_EQ(Identified("%m %w %h %[jpeg:sampling-factor] %[colorspace] %[interlace] %x %y %U %c", ours),
            expected);
  if (!f.greyscale) {
    EXPECT_GT(Psnr(ours, source), f.least_psnr);
  }
}

std::string NameOf(const testing::TestParamInfo<Form>& form) { return form.param.name; }
void PrintTo(const Form& f, std::ostream* os) { *os << f.name; }

INSTANTIATE_TEST_SUITE_P(EveryForm, JpegWriterInterop, testing::ValuesIn(kForms), NameOf);

// Behind SOI, before everything ImageMagick wrote.
Bytes WithApp1(const Bytes& jpeg, const Bytes& exif) {
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  const Bytes segment = JpegStream().Segment(0xE1, exif).bytes();
  out.insert(out.end(), segment.begin(), segment.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

Bytes CameraExif(bool little) {
  ExifBuilder builder(little);
  builder.Ifd0({{274, 3, 1, 6}});
  builder.SubIfd({{40962, 4, 1, 4000}, {40963, 4, 1, 3000}});
  const Bytes old_thumbnail = {0xFF, 0xD8, 0xFF, 0xD9};
  builder.Ifd1({{259, 3, 1, 6}, {513, 4, 1, 0}, {514, 4, 1, 4}}, old_thumbnail);
  builder.Ifd1({{259, 3, 1, 6}, {513, 4, 1, builder.ThumbnailOffset()}, {514, 4, 1, 4}},
               old_thumbnail);
  return builder.Build();
}

TEST(JpegWriterInterop, AKeptExifBlockReadsBackWithItsNewFieldsAndThumbnail) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const std::string made = dir.File("camera.jpg");
  ASSERT_TRUE(RunTool(kConvert, "-size 64x48 gradient:red-blue " + made));
  for (const bool little : {true, false}) {
    const Bytes source = WithApp1(ReadWholeFile(made), CameraExif(little));
    EncodeContext context;
    ASSERT_TRUE(ReadKeptExif(source.data(), source.size(), &context.source_exif));
    TestImage image(kWidth, kHeight, 24);
    Draw(&image);
    SaveOptions o;
    o.type = kSaveJpeg;
    o.keep_exif = true;
    MemorySink saved;
    ASSERT_EQ(EncodeImage(image.record, o, &saved, &context), Status::kOk) << context.error_text;
    const std::string ours = dir.Write("ours.jpg", saved.bytes());
    EXPECT_EQ(Identified("%w %h %[EXIF:Orientation] %[EXIF:PixelXDimension] %[EXIF:PixelYDimension]", ours),
              "93 41 1 93 41");
    // Where ImageMagick says the thumbnail is (this version's thumbnail:
    // coder cannot find it itself): behind SOI, the APP1 header and "Exif".
    const std::string place = Identified(
        "%[EXIF:thumbnail:JPEGInterchangeFormat] %[EXIF:thumbnail:JPEGInterchangeFormatLength]", ours);
    size_t offset = 0, length = 0;
    ASSERT_EQ(std::sscanf(place.c_str(), "%zu %zu", &offset, &length), 2) << place;
    const size_t start = 2 + 4 + 6 + offset;
    ASSERT_LE(start + length, saved.bytes().size());
    const Bytes small(saved.bytes().begin() + long(start), saved.bytes().begin() + long(start + length));
    EXPECT_EQ(Identified("%m %w %h", dir.Write("thumbnail.jpg", small)), "JPEG 160 71")
        << "round(160 x 41 / 93) = 71";
  }
}

}  // namespace
