// The JPEG writer: the tables and frame it writes, the metadata segments
// and their order, the size-limited quality search, the Exif thumbnail's
// replacement and the refusals, all read back through the library.
#include "codecs/jpeg_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/exif.h"
#include "codecs/image_encoders.h"
#include "codecs/jpeg_kept_exif.h"
#include "codecs/jpeg_quality.h"
#include "codecs/jpeg_thumbnail.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/jpeg_decode_support.h"
#include "tests/unit/jpeg_test_support.h"

namespace {

constexpr int kWidth = 61, kHeight = 37;  // partial MCUs at every sampling

// Smooth colour ramps with a little texture, like a photograph's detail.
class Picture : public TestImage {
 public:
  Picture(int width = kWidth, int height = kHeight) : TestImage(width, height, 24) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) Set(x, y, Colour(x, y, width, height));
    }
  }
  static uint32_t Colour(int x, int y, int width, int height) {
    const uint32_t r = uint32_t(255 * x / (width - 1));
    const uint32_t g = uint32_t(255 * y / (height - 1));
    const uint32_t b = uint32_t((x * 7 + y * 13) % 64 + 96);
    return (r << 16) | (g << 8) | b;
  }
};

Bytes Written(const ImageBuffer& image, const JpegWriteContext& context) {
  MemorySink sink;
  std::string text;
  EXPECT_EQ(WriteJpeg(image, context, &sink, &text), Status::kOk) << text;
  return sink.bytes();
}

JpegWriteContext AtQuality(int quality) {
  JpegWriteContext c;
  c.quality = quality;
  return c;
}

// The tables jpeg_set_quality installs with baseline forcing.
void LibraryTables(int quality, unsigned tables[2][64]) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  info.in_color_space = JCS_RGB;
  info.input_components = 3;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int t = 0; t < 2; ++t) {
    for (int i = 0; i < 64; ++i) tables[t][i] = info.quant_tbl_ptrs[t]->quantval[i];
  }
  jpeg_destroy_compress(&info);
}

std::vector<unsigned> Scaled(const unsigned int* standard, int quality) {
  std::vector<unsigned> t(64);
  ScaleJpegTable(standard, quality, t.data());
  return t;
}

TEST(JpegQuality, ScalesAsTheStandardTablesDo) {
  EXPECT_EQ(JpegQualityScale(0), 5000);
  EXPECT_EQ(JpegQualityScale(1), 5000);
  EXPECT_EQ(JpegQualityScale(49), 102);
  EXPECT_EQ(JpegQualityScale(50), 100);
  EXPECT_EQ(JpegQualityScale(75), 50);
  EXPECT_EQ(JpegQualityScale(100), 0);

  const std::vector<unsigned> luma50 = Scaled(kStandardLuminanceTable, 50);
  EXPECT_EQ(luma50, std::vector<unsigned>(kStandardLuminanceTable, kStandardLuminanceTable + 64));
  EXPECT_EQ(Scaled(kStandardLuminanceTable, 100), std::vector<unsigned>(64, 1));
  EXPECT_EQ(Scaled(kStandardChrominanceTable, 0), std::vector<unsigned>(64, 255));
  EXPECT_EQ(Scaled(kStandardLuminanceTable, 1), std::vector<unsigned>(64, 255));
  // (16 x 102 + 50) / 100 = 16, (121 x 102 + 50) / 100 = 123, (99 x 102 + 50) / 100 = 101.
  const std::vector<unsigned> luma49 = Scaled(kStandardLuminanceTable, 49);
  EXPECT_EQ(luma49[0], 16u);
  EXPECT_EQ(luma49[53], 123u);
  EXPECT_EQ(Scaled(kStandardChrominanceTable, 49)[63], 101u);
  // (16 x 50 + 50) / 100 = 8, (11 x 50 + 50) / 100 = 6, (99 x 50 + 50) / 100 = 50.
  const std::vector<unsigned> luma75 = Scaled(kStandardLuminanceTable, 75);
  EXPECT_EQ(luma75[0], 8u);
  EXPECT_EQ(luma75[1], 6u);
  EXPECT_EQ(Scaled(kStandardChrominanceTable, 75)[63], 50u);
}

TEST(JpegQuality, TheFileHoldsTheLibrarysOwnTablesAtEveryQuality) {
  Picture picture(16, 16);
  for (int quality = 0; quality <= 100; ++quality) {
    unsigned expected[2][64];
    LibraryTables(quality, expected);
    const DecodedJpeg d = DecodeJpeg(Written(picture.record, AtQuality(quality)));
    ASSERT_TRUE(d.ok) << d.error;
    for (int t = 0; t < 2; ++t) {
      for (int i = 0; i < 64; ++i)
        ASSERT_EQ(d.quant[t][i], expected[t][i]) << "quality " << quality << " table " << t;
    }
  }
}

TEST(JpegWriter, SamplingModesGreyscaleAndProgression) {
  Picture picture;
  const int expected[][2] = {{2, 2}, {2, 1}, {1, 1}, {2, 2}, {2, 2}};
  const int modes[] = {0, 1, 2, 3, -1};  // anything else counts as 0
  for (int m = 0; m < 5; ++m) {
    JpegWriteContext c;
    c.subsampling = modes[m];
    const DecodedJpeg d = DecodeJpeg(Written(picture.record, c));
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.components, 3);
    EXPECT_EQ(d.h_sampling[0], expected[m][0]) << "mode " << modes[m];
    EXPECT_EQ(d.v_sampling[0], expected[m][1]) << "mode " << modes[m];
    EXPECT_EQ(d.h_sampling[1] * d.v_sampling[1] * d.h_sampling[2] * d.v_sampling[2], 1);
    EXPECT_FALSE(d.progressive);
  }
  JpegWriteContext grey;
  grey.greyscale = true;
  grey.subsampling = 1;
  const DecodedJpeg g = DecodeJpeg(Written(picture.record, grey));
  EXPECT_EQ(g.components, 1);
  EXPECT_EQ(g.h_sampling[0] * g.v_sampling[0], 1);
  JpegWriteContext progressive;
  progressive.progressive = true;
  const DecodedJpeg p = DecodeJpeg(Written(picture.record, progressive));
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.progressive);
  EXPECT_EQ(p.width, kWidth);
  EXPECT_EQ(p.height, kHeight);
}

TEST(JpegWriter, DensityInDotsPerInchOnlyWithBothResolutions) {
  Picture picture;
  JpegWriteContext c;
  c.x_resolution = 11811, c.y_resolution = 2835;  // 300 and 72 dpi
  DecodedJpeg d = DecodeJpeg(Written(picture.record, c));
  EXPECT_TRUE(d.jfif);
  EXPECT_EQ(d.density_unit, 1);
  EXPECT_EQ(d.x_density, 300);
  EXPECT_EQ(d.y_density, 72);
  c.y_resolution = 0;
  d = DecodeJpeg(Written(picture.record, c));
  EXPECT_EQ(d.density_unit, 0) << "the library's default: an aspect ratio of 1";
  EXPECT_EQ(d.x_density, 1);
}

TEST(JpegWriter, QualityHundredWithoutSubsamplingGivesThePixelsBack) {
  Picture picture;
  JpegWriteContext c = AtQuality(100);
  c.subsampling = 2;
  const DecodedJpeg d = DecodeJpeg(Written(picture.record, c));
  ASSERT_TRUE(d.ok) << d.error;
  int worst = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t rgb = picture.Rgb(x, y);
      const uint8_t* p = &d.pixels[3 * size_t(y * kWidth + x)];
      const int want[3] = {int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)};
      for (int i = 0; i < 3; ++i) worst = std::max(worst, std::abs(p[i] - want[i]));
    }
  }
  EXPECT_LE(worst, 5) << "the first row is the picture's top, in red, green, blue order";
}

TEST(JpegWriter, AnEightBitImageIsWrittenInItsColours) {
  TestImage indexed(16, 8, 8);
  indexed.SetEntry(0, 0xFF0000);
  indexed.SetEntry(1, 0x0000FF);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) indexed.SetIndex(x, y, x < 8 ? 0 : 1);
  }
  JpegWriteContext c = AtQuality(100);
  c.subsampling = 2;
  const DecodedJpeg d = DecodeJpeg(Written(indexed.record, c));
  ASSERT_TRUE(d.ok) << d.error;
  ASSERT_EQ(d.components, 3);
  EXPECT_GT(d.pixels[3 * 2], 240);       // red on the left
  EXPECT_LT(d.pixels[3 * 2 + 2], 15);
  EXPECT_GT(d.pixels[3 * 13 + 2], 240);  // blue on the right
  EXPECT_LT(d.pixels[3 * 13], 15);
}

Bytes ExifWithSizes(bool little, uint32_t orientation) {
  return ExifBuilder(little)
      .Ifd0({{274, 3, 1, orientation}})
      .SubIfd({{40962, 4, 1, 4000}, {40963, 3, 1, 3000}})
      .Build();
}

// A TIFF field of an Exif block in its byte order.
uint32_t TiffField(const Bytes& block, size_t at, int bytes, bool little) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | block[6 + at + (little ? bytes - 1 - i : i)];
  return v;
}

TEST(JpegWriter, TheKeptExifComesFirstWithTheNewPixelSizeAndNoJfif) {
  Picture picture;
  for (const bool little : {true, false}) {
    const Bytes source = JpegStream().Soi().Segment(0xE1, ExifWithSizes(little, 6)).Sos().Eoi().bytes();
    JpegWriteContext c;
    ASSERT_TRUE(ReadKeptExif(source.data(), source.size(), &c.exif));
    c.comment = "first\r\nsecond";
    const Bytes file = Written(picture.record, c);
    const std::vector<JpegSegment> segments = JpegSegments(file);
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(segments[0].code, 0xE1) << "APP1 right behind SOI, no JFIF APP0";
    for (const JpegSegment& s : segments) EXPECT_NE(s.code, 0xE0);
    EXPECT_EQ(segments[1].code, 0xFE);
    EXPECT_EQ(SegmentPayload(segments[1]), Bytes({'f', 'i', 'r', 's', 't', '\n', 's', 'e', 'c', 'o', 'n', 'd'}));
    const Bytes block = SegmentPayload(segments[0]);
    ASSERT_EQ(block.size(), c.exif.size());
    EXPECT_EQ(ReadExifOrientation(block.data(), block.size()), 1);
    EXPECT_EQ(TiffField(block, 8 + 2 + 8, 2, little), 1u) << "orientation 1 in the block's order";
    // Sub-IFD after IFD0's two entries: its entries' types and values.
    const size_t sub = 8 + 2 + 2 * 12 + 4;
    EXPECT_EQ(TiffField(block, sub + 2 + 2, 2, little), 4u);
    EXPECT_EQ(TiffField(block, sub + 2 + 8, 4, little), uint32_t(kWidth));
    EXPECT_EQ(TiffField(block, sub + 14 + 2, 2, little), 4u) << "SHORT rewritten as LONG";
    EXPECT_EQ(TiffField(block, sub + 14 + 8, 4, little), uint32_t(kHeight));
    EXPECT_TRUE(DecodeJpeg(file).ok);
  }
}

TEST(JpegWriter, ReadKeptExifTakesTheFirstExifBlockOnly) {
  const Bytes first = ExifWithSizes(true, 8);
  const Bytes second = ExifWithSizes(false, 3);
  const Bytes file = JpegStream()
                         .Soi()
                         .Segment(0xE1, {'h', 't', 't', 'p'})
                         .Segment(0xE1, first)
                         .Segment(0xE1, second)
                         .Sos()
                         .Eoi()
                         .bytes();
  Bytes kept;
  ASSERT_TRUE(ReadKeptExif(file.data(), file.size(), &kept));
  Bytes expected = first;
  ResetExifOrientation(expected.data(), expected.size());
  EXPECT_EQ(kept, expected);
  const Bytes none = JpegStream().Soi().Comment("x").Sos().Eoi().bytes();
  EXPECT_FALSE(ReadKeptExif(none.data(), none.size(), &kept));
  EXPECT_TRUE(kept.empty());
  EXPECT_FALSE(ReadKeptExif(first.data(), first.size(), &kept)) << "not a JPEG file";
}

SaveOptions JpegOptions() {
  SaveOptions o;
  o.type = kSaveJpeg;
  return o;
}

Bytes Encoded(const ImageBuffer& image, const SaveOptions& options, EncodeContext* context) {
  MemorySink sink;
  EXPECT_EQ(EncodeImage(image, options, &sink, context), Status::kOk) << context->error_text;
  return sink.bytes();
}

TEST(JpegEncoder, KeepExifWithoutASourceBlockWritesJfifAndNoApp1) {
  Picture picture;
  SaveOptions o = JpegOptions();
  o.keep_exif = true;
  EncodeContext context;
  const std::vector<JpegSegment> segments = JpegSegments(Encoded(picture.record, o, &context));
  ASSERT_FALSE(segments.empty());
  EXPECT_EQ(segments[0].code, 0xE0);
  for (const JpegSegment& s : segments) EXPECT_NE(s.code, 0xE1);

  context.source_exif = ExifWithSizes(true, 1);
  o.keep_exif = false;
  for (const JpegSegment& s : JpegSegments(Encoded(picture.record, o, &context)))
    EXPECT_NE(s.code, 0xE1) << "an Exif block not asked for is not kept";
}

TEST(JpegEncoder, AStoredQualityAboveHundredCountsAs75) {
  Picture picture;
  SaveOptions o = JpegOptions();
  EncodeContext context;
  o.jpeg_quality = 75;
  const Bytes at75 = Encoded(picture.record, o, &context);
  o.jpeg_quality = 101;
  EXPECT_EQ(Encoded(picture.record, o, &context), at75);
}

TEST(JpegWriter, ARefusedOutputGivesTheLibrarysWriteError) {
  Picture picture;
  MemorySink small(100);
  std::string text;
  EXPECT_EQ(WriteJpeg(picture.record, JpegWriteContext{}, &small, &text), Status::kCannotWrite);
  EXPECT_NE(text.find("write"), std::string::npos) << text;
  EXPECT_LE(text.size(), 200u);
  TestImage wide(70000, 1, 24);
  MemorySink sink;
  EXPECT_EQ(WriteJpeg(wide.record, JpegWriteContext{}, &sink, &text), Status::kUnsupported);
  EXPECT_FALSE(text.empty());
  EXPECT_TRUE(sink.bytes().empty());
}

size_t SizeAt(const ImageBuffer& image, int quality) {
  return Written(image, AtQuality(quality)).size();
}

TEST(JpegSizeLimit, ALimitNoQualityMeetsEndsWithTheQualityOneEncoding) {
  Picture picture(200, 150);
  MemorySink result;
  JpegLimitSearch search;
  ASSERT_EQ(WriteJpegWithinLimit(picture.record, AtQuality(75), 10, &result, nullptr, &search),
            Status::kOk);
  EXPECT_EQ(search.quality, 1);
  // 75, then 38, 20, 11, 7, 5, 4, 3, 2 and 1 as the step halves to 1.
  EXPECT_EQ(search.encodings, 10);
  EXPECT_GT(result.bytes().size(), 10u);
  EXPECT_EQ(result.bytes(), Written(picture.record, AtQuality(1)));
}

TEST(JpegSizeLimit, SettlesOnTheHighestQualityThatFits) {
  Picture picture(200, 150);
  for (const int target : {20, 47, 63, 88}) {
    const size_t limit = SizeAt(picture.record, target);
    MemorySink result;
    JpegLimitSearch search;
    ASSERT_EQ(WriteJpegWithinLimit(picture.record, AtQuality(95), limit, &result, nullptr, &search),
              Status::kOk);
    EXPECT_LE(result.bytes().size(), limit);
    EXPECT_GE(search.quality, target);
    EXPECT_GT(SizeAt(picture.record, search.quality + 1), limit) << "limit of quality " << target;
    EXPECT_EQ(result.bytes(), Written(picture.record, AtQuality(search.quality)));
  }
  MemorySink result;
  JpegLimitSearch search;
  const size_t roomy = SizeAt(picture.record, 95);
  ASSERT_EQ(WriteJpegWithinLimit(picture.record, AtQuality(95), roomy, &result, nullptr, &search),
            Status::kOk);
  EXPECT_EQ(search.encodings, 1) << "a first encoding that fits is kept";
}

TEST(JpegSizeLimit, TheMemoryEncodingHasRoomBeyondThePixels) {
  // A 1 x 1 file needs its headers and tables, far more than its 4 bytes
  // of pixels; noise at quality 100 codes to more than its pixels too.
  TestImage dot(1, 1, 24);
  dot.Set(0, 0, 0x336699);
  MemorySink result;
  std::string text;
  EXPECT_EQ(WriteJpegWithinLimit(dot.record, AtQuality(100), 100000, &result, &text), Status::kOk)
      << text;
  EXPECT_TRUE(DecodeJpeg(result.bytes()).ok);
  TestImage noise(16, 16, 24);
  uint32_t seed = 12345;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      seed = seed * 1103515245u + 12345u;
      noise.Set(x, y, seed >> 8);
    }
  }
  JpegWriteContext c = AtQuality(100);
  c.subsampling = 2;
  ASSERT_EQ(WriteJpegWithinLimit(noise.record, c, SIZE_MAX, &result, &text), Status::kOk) << text;
  EXPECT_GT(result.bytes().size(), size_t{16 * 16 * 3}) << "the case the margin is for";
}

// A JPEG file with an Exif block whose IFD1 holds a tiny stand-in thumbnail.
Bytes ExifWithThumbnail(bool little) {
  ExifBuilder builder(little);
  builder.Ifd0({{274, 3, 1, 1}});
  builder.Ifd1({{513, 4, 1, 0}, {514, 4, 1, 4}}, {0xFF, 0xD8, 0xFF, 0xD9});
  const uint32_t offset = builder.ThumbnailOffset();
  builder.Ifd1({{513, 4, 1, offset}, {514, 4, 1, 4}}, {0xFF, 0xD8, 0xFF, 0xD9});
  return builder.Build();
}

Bytes Thumbnail(const Bytes& file, uint32_t* length_tag) {
  const std::vector<JpegSegment> segments = JpegSegments(file);
  if (segments.empty() || segments[0].code != 0xE1) return {};
  const Bytes block = SegmentPayload(segments[0]);
  uint32_t offset = 0;
  if (!FindExifThumbnail(block.data(), block.size(), &offset, length_tag)) return {};
  return Bytes(block.begin() + 6 + offset, block.end());
}

TEST(JpegThumbnail, ASaveKeepingExifGetsAThumbnailOfTheImage) {
  for (const bool little : {true, false}) {
    Picture picture(300, 113);
    SaveOptions o = JpegOptions();
    o.keep_exif = true;
    o.comment = true;
    o.comment_text = "after the Exif block";
    EncodeContext context;
    context.source_exif = ExifWithThumbnail(little);
    const Bytes file = Encoded(picture.record, o, &context);
    uint32_t length = 0;
    const Bytes thumbnail = Thumbnail(file, &length);
    ASSERT_FALSE(thumbnail.empty());
    EXPECT_EQ(length, thumbnail.size());
    const DecodedJpeg small = DecodeJpeg(thumbnail);
    ASSERT_TRUE(small.ok) << small.error;
    EXPECT_EQ(small.width, 160);
    EXPECT_EQ(small.height, 60) << "round(160 x 113 / 300) = round(60.27)";
    const DecodedJpeg whole = DecodeJpeg(file);
    ASSERT_TRUE(whole.ok) << whole.error;
    EXPECT_EQ(whole.width, 300);
    const std::vector<JpegSegment> segments = JpegSegments(file);
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(segments[1].code, 0xFE) << "the rest of the file follows the new block";
    // The thumbnail shows the picture: its left end dark red, its right end bright.
    EXPECT_LT(small.pixels[3 * (30 * 160 + 2)], 20);
    EXPECT_GT(small.pixels[3 * (30 * 160 + 157)], 235);
  }
}

TEST(JpegThumbnail, ASizeLimitCountsTheNewThumbnail) {
  Picture picture(300, 113);
  SaveOptions o = JpegOptions();
  o.keep_exif = true;
  o.jpeg_quality = 95;
  o.size_limit = true;
  o.size_limit_kib = 8;
  EncodeContext context;
  context.source_exif = ExifWithThumbnail(true);  // a 4-byte stand-in
  const Bytes file = Encoded(picture.record, o, &context);
  EXPECT_LE(file.size(), 8192u);
  uint32_t length = 0;
  const Bytes thumbnail = Thumbnail(file, &length);
  EXPECT_GT(thumbnail.size(), 1000u);
  EXPECT_EQ(length, thumbnail.size());
  EXPECT_EQ(DecodeJpeg(thumbnail).width, 160);
}

TEST(JpegThumbnail, SizesFollowTheLongerSide) {
  int32_t w = 0, h = 0;
  ExifThumbnailSize(120, 400, &w, &h);
  EXPECT_EQ(w, 48);
  EXPECT_EQ(h, 160);
  ExifThumbnailSize(4000, 3000, &w, &h);
  EXPECT_EQ(w, 160);
  EXPECT_EQ(h, 120);
  ExifThumbnailSize(5000, 2, &w, &h);
  EXPECT_EQ(h, 1) << "never 0 rows";
}

TEST(JpegThumbnail, FilesItCannotServeStayAsTheyWere) {
  Picture picture;
  const JpegWriteContext settings;
  const Bytes without = JpegStream().Soi().Segment(0xE1, ExifWithSizes(true, 1)).Sos().Eoi().bytes();
  Bytes file = without;
  EXPECT_FALSE(ReplaceExifThumbnail(&file, picture.record, settings)) << "no IFD1";
  EXPECT_EQ(file, without);
  Bytes broken = JpegStream().Soi().Segment(0xE1, ExifWithThumbnail(true)).Sos().Eoi().bytes();
  broken.resize(40);  // the segment runs past the data
  file = broken;
  EXPECT_FALSE(ReplaceExifThumbnail(&file, picture.record, settings));
  EXPECT_EQ(file, broken);
  // A thumbnail so far into the block that no encoding leaves room for it.
  ExifBuilder far(true);
  far.Ifd0({{274, 3, 1, 1}});
  far.Ifd1({{513, 4, 1, 65400}, {514, 4, 1, 100}}, Bytes(65450, 0));
  const Bytes crowded = JpegStream().Soi().Segment(0xE1, far.Build()).Sos().Eoi().bytes();
  file = crowded;
  EXPECT_FALSE(ReplaceExifThumbnail(&file, picture.record, settings));
  EXPECT_EQ(file, crowded);
}

}  // namespace
