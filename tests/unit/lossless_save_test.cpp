// The save type that keeps a JPEG's coded data: the image's own file turned
// the way the display was, with a new Exif thumbnail when all markers go.
#include <gtest/gtest.h>

#include <vector>

#include "codecs/exif.h"
#include "codecs/image_encoders.h"
#include "codecs/jpeg_transform.h"
#include "codecs/memory_sink.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/jpeg_decode_support.h"
#include "tests/unit/jpeg_test_support.h"

namespace {

constexpr int kWidth = 48, kHeight = 32;

// A coloured 48 x 32 JPEG with an Exif block that holds a stale thumbnail.
Bytes SourceJpeg(const TestImage& image) {
  SaveOptions options;
  options.type = kSaveJpeg;
  options.jpeg_quality = 90;
  MemorySink coded;
  EXPECT_EQ(EncodeImage(image.record, options, &coded), Status::kOk);
  ExifBuilder builder(true);
  builder.Ifd0({{274, 3, 1, 6}}).Ifd1({{513, 4, 1, 0}, {514, 4, 1, 4}}, Bytes{1, 2, 3, 4});
  builder.Ifd1({{513, 4, 1, builder.ThumbnailOffset()}, {514, 4, 1, 4}}, Bytes{1, 2, 3, 4});
  const Bytes exif = builder.Build();
  Bytes file = JpegStream().Soi().Segment(0xE1, exif).bytes();
  file.insert(file.end(), coded.bytes().begin() + 2, coded.bytes().end());
  return file;
}

Bytes SaveKeepingData(Bytes source, const ImageBuffer& shown, int rotation_state, int markers) {
  SaveOptions options;
  options.type = kSaveJpegLossless;
  options.lossless_markers = markers;
  EncodeContext context;
  context.source_jpeg = source.data();
  context.source_jpeg_size = source.size();
  context.rotation_state = rotation_state;
  MemorySink out;
  EXPECT_EQ(EncodeImage(shown, options, &out, &context), Status::kOk) << context.error_text;
  return out.bytes();
}

TEST(LosslessSave, TurnsTheFileAsTheDisplayWasTurned) {
  TestImage image(kWidth, kHeight, 24);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.Set(x, y, uint32_t(x * 5) << 16 | uint32_t(y * 7) << 8 | 0x40);
  }
  const Bytes source = SourceJpeg(image);
  const int codes_of_state[] = {0, 3, 4, 5, 1, 2};
  for (int state = 0; state <= 5; ++state) {
    Bytes expected_source = source;
    JpegTransformOptions t;
    t.code = codes_of_state[state];
    MemorySink expected;
    std::string error;
    ASSERT_EQ(TransformJpeg(expected_source.data(), expected_source.size(), t, &expected, &error),
              Status::kOk);
    EXPECT_EQ(SaveKeepingData(source, image.record, state, 0), expected.bytes()) << state;
  }
}

TEST(LosslessSave, AllMarkersBringANewThumbnailOfThePictureShown) {
  TestImage image(kWidth, kHeight, 24);
  const Bytes source = SourceJpeg(image);
  TestImage turned(kHeight, kWidth, 24);
  const Bytes file = SaveKeepingData(source, turned.record, 1, 2);
  const DecodedJpeg decoded = DecodeJpeg(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.width, kHeight);
  EXPECT_EQ(decoded.height, kWidth);
  const JpegMarkerScan scan = ScanJpegMarkers(file.data(), file.size(), nullptr);
  ASSERT_TRUE(scan.exif_found);
  const uint8_t* block = file.data() + scan.exif_start;
  EXPECT_EQ(ReadExifOrientation(block, scan.exif_length), 1);
  uint32_t offset = 0, length = 0;
  ASSERT_TRUE(FindExifThumbnail(block, scan.exif_length, &offset, &length));
  const Bytes thumbnail(block + kExifTiffStart + offset, block + kExifTiffStart + offset + length);
  const DecodedJpeg small = DecodeJpeg(thumbnail);
  ASSERT_TRUE(small.ok) << small.error;
  EXPECT_EQ(small.width, 107) << "160 x 32 / 48, from the turned picture";
  EXPECT_EQ(small.height, 160);
}

TEST(LosslessSave, NeedsTheSourceFile) {
  TestImage image(8, 8, 24);
  SaveOptions options;
  options.type = kSaveJpegLossless;
  MemorySink out;
  EXPECT_EQ(EncodeImage(image.record, options, &out), Status::kUnsupported);
  EncodeContext empty;
  EXPECT_EQ(EncodeImage(image.record, options, &out, &empty), Status::kUnsupported);
}

}  // namespace
