// GIF files the writer makes, read by ImageMagick and by giflib's gif2rgb:
// both decode the pixels our own decoder does, which are exactly the
// source's when it has no more colours than the depth holds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codecs/gif_writer.h"
#include "codecs/memory_sink.h"
#include "tests/unit/gif_write_test_support.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr const char* kGif2Rgb = "/usr/bin/gif2rgb";

bool HasGif2Rgb() { return access(kGif2Rgb, X_OK) == 0; }

// The pixels as red, green and blue bytes, top row first.
Bytes ExpectedRgb(const Bytes& file) {
  const WrittenGif g = TakeApart(file);
  Bytes rgb;
  for (uint8_t index : PictureIndices(g)) {
    const uint32_t c = TableColour(g, index);
    rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  }
  return rgb;
}

Bytes SourceRgb(const TestImage& image, int width, int height) {
  Bytes rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = image.Rgb(x, y);
      rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  return rgb;
}

Bytes Gif2RgbDecoded(const TempDir& dir, const std::string& file) {
  const std::string raw = dir.File("gif2rgb.rgb");
  if (!RunTool(kGif2Rgb, "-1 -o " + raw + " " + file)) return {};
  return ReadWholeFile(raw);
}

void ExpectBothRead(const TempDir& dir, const Bytes& file, const Bytes& expected) {
  const std::string path = dir.Write("written.gif", file);
  if (HasImageMagick()) {
    EXPECT_EQ(DecodedRgb(dir, path), expected) << "ImageMagick";
  }
  if (HasGif2Rgb()) {
    EXPECT_EQ(Gif2RgbDecoded(dir, path), expected) << "gif2rgb";
  }
}

Bytes Written(const ImageBuffer& image, const GifWriteContext& c) {
  MemorySink sink;
  EXPECT_EQ(WriteGif(image, c, &sink), Status::kOk);
  return sink.bytes();
}

constexpr int kWidth = 53, kHeight = 37;  // odd: the passes end unevenly

// Up to `colours` colours, or a smooth field of many when colours is 0.
uint32_t Colour(int colours, int x, int y) {
  if (colours == 0) return uint32_t(x * 0x050301 + y * 0x010407 + (x * y) % 97) & 0xFFFFFF;
  const uint32_t i = uint32_t(x * 3 + y * 7 + x * y) % uint32_t(colours);
  if (colours == 2) return i ? 0xFFFFFF : 0;
  return (i * 0x2F4B61u + 0x102030u) & 0xFFFFFF;
}

TEST(GifWriterInterop, EveryDepthInterlacedOrNotReadsBackExactly) {
  if (!HasImageMagick() && !HasGif2Rgb()) GTEST_SKIP() << "no independent GIF reader";
  TempDir dir;
  for (int bits = 1; bits <= 8; ++bits) {
    for (bool interlace : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, interlace " << interlace);
      TestImage image(kWidth, kHeight, 24);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) image.Set(x, y, Colour(1 << bits, x, y));
      }
      GifWriteContext c;
      c.bits = bits;
      c.interlace = interlace;
      const Bytes file = Written(image.record, c);
      ExpectBothRead(dir, file, SourceRgb(image, kWidth, kHeight));
      if (HasImageMagick()) {
        const std::string path = dir.Write("identify.gif", file);
        EXPECT_EQ(Identified("%m %w %h %[interlace]", path),
                  std::string("GIF 53 37 ") + (interlace ? "GIF" : "None"));
      }
    }
  }
}

// Reduced images, dithered or not: the readers see the indices and table we
// wrote.
TEST(GifWriterInterop, ReducedImagesReadAsWritten) {
  if (!HasImageMagick() && !HasGif2Rgb()) GTEST_SKIP() << "no independent GIF reader";
  TempDir dir;
  TestImage image(kWidth, kHeight, 24);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.Set(x, y, Colour(0, x, y));
  }
  for (int bits : {1, 3, 5, 8}) {
    for (bool dither : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, dither " << dither);
      GifWriteContext c;
      c.bits = bits;
      c.dither = dither;
      const Bytes file = Written(image.record, c);
      ExpectBothRead(dir, file, ExpectedRgb(file));
    }
  }
}

// A million noisy indices: many table resets, every code width.
TEST(GifWriterInterop, LargeNoisyImageReadsBack) {
  if (!HasImageMagick() && !HasGif2Rgb()) GTEST_SKIP() << "no independent GIF reader";
  TempDir dir;
  TestImage image(1000, 1000, 8);
  for (int i = 0; i < 256; ++i) image.SetEntry(i, uint32_t(i) * 0x010203u & 0xFFFFFF);
  std::mt19937 random(11);
  for (int y = 0; y < 1000; ++y) {
    for (int x = 0; x < 1000; ++x) image.SetIndex(x, y, uint8_t(random()));
  }
  GifWriteContext c;
  c.interlace = true;
  const Bytes file = Written(image.record, c);
  ExpectBothRead(dir, file, SourceRgb(image, 1000, 1000));
}

TEST(GifWriterInterop, TransparentIndexIsTheOneImageMagickReports) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  TestImage image(kWidth, kHeight, 24);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.Set(x, y, Colour(16, x, y));
  }
  GifWriteContext c;
  c.bits = 4;
  c.transparency = true;
  c.transparent_colour = 0x302010;  // 0x102030 as red, green, blue: the first colour
  const std::string path = dir.Write("transparent.gif", Written(image.record, c));
  EXPECT_EQ(Identified("%A", path), "True");
  // Only the pixels of that colour lose their opacity.
  const std::string alpha = dir.File("alpha.gray");
  ASSERT_TRUE(RunTool(kConvert, path + " -alpha extract -depth 8 gray:" + alpha));
  const Bytes opacity = ReadWholeFile(alpha);
  ASSERT_EQ(opacity.size(), size_t(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      EXPECT_EQ(opacity[size_t(y) * kWidth + x], image.Rgb(x, y) == 0x102030u ? 0 : 255)
          << x << "," << y;
    }
  }
}

}  // namespace
