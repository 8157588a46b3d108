// The JPEG reader on files the library writes here with settings the tests
// choose: flat blocks at quality 100 decode exactly, so rows, byte order,
// the grey palette and the CMYK products can be checked to the value; and
// files changed byte by byte for what the reader must refuse or survive.
#include "codecs/jpeg_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "codecs/image_decoders.h"
#include "codecs/jpeg_library.h"
#include "codecs/memory_sink.h"
#include "tests/unit/jpeg_test_support.h"
#include "tests/unit/test_files.h"

namespace {

// One sample per component for each pixel, top row first.
using Picture = std::function<void(int x, int y, uint8_t* samples)>;

struct Encoding {
  int width = 16, height = 16;
  int components = 3;
  J_COLOR_SPACE colour = JCS_RGB;
  int quality = 100;
  bool progressive = false;
  int h_sampling = 1, v_sampling = 1;  // of the first component
  uint8_t density_unit = 0;
  uint16_t x_density = 1, y_density = 1;
};

struct Compression {
  jpeg_compress_struct info{};
  JpegErrorManager errors;
  JpegSinkDestination destination;
  const Encoding* e = nullptr;
  const Picture* picture = nullptr;
};

void CompressWork(void* context) {
  auto* c = static_cast<Compression*>(context);
  const Encoding& e = *c->e;
  jpeg_compress_struct& info = c->info;
  jpeg_create_compress(&info);
  UseJpegSinkDestination(&info, &c->destination);
  info.image_width = static_cast<JDIMENSION>(e.width);
  info.image_height = static_cast<JDIMENSION>(e.height);
  info.input_components = e.components;
  info.in_color_space = e.colour;
  jpeg_set_defaults(&info);
  if (e.colour != JCS_RGB) jpeg_set_colorspace(&info, e.colour);  // RGB is stored as YCbCr
  jpeg_set_quality(&info, e.quality, TRUE);
  info.comp_info[0].h_samp_factor = e.h_sampling;
  info.comp_info[0].v_samp_factor = e.v_sampling;
  info.density_unit = e.density_unit;
  info.X_density = e.x_density;
  info.Y_density = e.y_density;
  if (e.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(e.width * e.components));
  for (int y = 0; y < e.height; ++y) {
    for (int x = 0; x < e.width; ++x) (*c->picture)(x, y, &row[static_cast<size_t>(x * e.components)]);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
}

Bytes Encode(const Encoding& e, const Picture& picture) {
  MemorySink out;
  Compression c;
  c.e = &e;
  c.picture = &picture;
  c.info.err = UseJpegErrorManager(&c.errors);
  PrepareJpegSinkDestination(&c.destination, &out);
  const bool done = RunJpegGuarded(&c.errors, CompressWork, &c);
  jpeg_destroy_compress(&c.info);
  EXPECT_TRUE(done) << c.errors.text;
  return out.bytes();
}

// Every component the same value everywhere.
Picture Flat(std::vector<uint8_t> values) {
  return [values](int, int, uint8_t* s) { std::copy(values.begin(), values.end(), s); };
}

// Each 8 x 8 block one of four colours, so every block is flat.
constexpr uint32_t kQuadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
uint32_t QuadrantColour(int x, int y) { return kQuadrants[(x / 8) % 2 + 2 * ((y / 8) % 2)]; }
void QuadrantSamples(int x, int y, uint8_t* s) {
  const uint32_t rgb = QuadrantColour(x, y);
  s[0] = uint8_t(rgb >> 16), s[1] = uint8_t(rgb >> 8), s[2] = uint8_t(rgb);
}

struct Decoded {
  OwnedImage owned;
  ImageBuffer& image = owned.record;
  LoadResults results;
  std::string error_text;
  Status status = Status::kOk;
  uint32_t Rgb(int x, int y) const {
    const uint8_t* p = RowFromTop(image, y) + 3 * x;
    return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  }
};

void Decode(const Bytes& jpeg, Decoded* out) {
  out->status = ReadJpegBytes(jpeg.data(), jpeg.size(), &out->image, &out->results, &out->error_text);
}

// The file with `segments` inserted right behind SOI.
Bytes WithSegments(const Bytes& jpeg, const Bytes& segments) {
  Bytes out(jpeg.size() + segments.size());
  const auto behind_soi = std::copy(jpeg.begin(), jpeg.begin() + 2, out.begin());
  std::copy(jpeg.begin() + 2, jpeg.end(), std::copy(segments.begin(), segments.end(), behind_soi));
  return out;
}

// Offset of the first marker `code` in the file.
size_t MarkerAt(const Bytes& jpeg, uint8_t code) {
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
  }
  ADD_FAILURE() << "no marker " << int(code);
  return 0;
}

void ExpectRefused(const Bytes& jpeg, Status expected, bool library_said_why, const char* what) {
  Decoded d;
  Decode(jpeg, &d);
  EXPECT_EQ(d.status, expected) << what;
  EXPECT_EQ(d.image.pixels, nullptr) << what;
  EXPECT_LE(d.error_text.size(), kJpegErrorTextLimit) << what;
  EXPECT_EQ(!d.error_text.empty(), library_said_why) << what << ": '" << d.error_text << "'";
}

TEST(JpegReader, ColourRowsLandTopDownInBlueGreenRedOrder) {
  Encoding e;
  e.width = 21;  // odd, so rows carry padding
  e.height = 24;
  Decoded d;
  Decode(Encode(e, QuadrantSamples), &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_EQ(d.image.header.width, 21);
  EXPECT_EQ(d.image.header.height, 24);
  EXPECT_EQ(d.image.header.bit_count, 24);
  EXPECT_EQ(d.image.source_bits_per_pixel, 24u);
  EXPECT_EQ(d.image.source_format, kSourceJpeg);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 21; ++x) {
      const uint32_t want = QuadrantColour(x, y), got = d.Rgb(x, y);
      for (int shift : {0, 8, 16}) {
        ASSERT_NEAR(int(got >> shift & 0xFF), int(want >> shift & 0xFF), 2) << x << "," << y;
      }
    }
  }
}

TEST(JpegReader, GreyBecomesEightBitsWithAGreyRamp) {
  Encoding e;
  e.components = 1;
  e.colour = JCS_GRAYSCALE;
  e.width = 13;
  Decoded d;
  Decode(Encode(e, [](int, int y, uint8_t* s) { *s = y < 8 ? 40 : 200; }), &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_EQ(d.image.header.bit_count, 8);
  EXPECT_EQ(d.image.source_bits_per_pixel, 8u);
  for (int i = 0; i < 256; ++i) {
    const RgbQuad& entry = d.image.palette[i];
    ASSERT_TRUE(entry.blue == i && entry.green == i && entry.red == i && entry.reserved == 0) << i;
  }
  EXPECT_EQ(RowFromTop(d.image, 0)[12], 40);
  EXPECT_EQ(RowFromTop(d.image, 15)[0], 200);
}

// Stored as Adobe writes it, inverted: 255 is no ink. Each product has a
// fraction of a half or more, which the table drops.
TEST(JpegReader, CmykMultipliesEachColourByBlackRoundingDown) {
  Encoding e;
  e.components = 4;
  e.colour = JCS_CMYK;
  Decoded d;
  Decode(Encode(e, Flat({201, 3, 51, 128})), &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_EQ(d.image.header.bit_count, 24);
  EXPECT_EQ(d.image.source_bits_per_pixel, 24u);
  const uint32_t want = 0x640119;  // 100.9, 1.51 and 25.6 rounded down
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(d.Rgb(x, y), want) << x << "," << y;
  }
}

TEST(JpegReader, ProgressiveFilesHoldTheSamePicture) {
  Encoding e;
  e.quality = 80;
  e.h_sampling = e.v_sampling = 2;
  e.width = 37;
  e.height = 29;
  const Picture picture = [](int x, int y, uint8_t* s) {
    s[0] = uint8_t(x * 7 + y), s[1] = uint8_t(x * y), s[2] = uint8_t(255 - y * 5);
  };
  Decoded baseline, progressive;
  Decode(Encode(e, picture), &baseline);
  e.progressive = true;
  Decode(Encode(e, picture), &progressive);
  ASSERT_EQ(baseline.status, Status::kOk);
  ASSERT_EQ(progressive.status, Status::kOk);
  EXPECT_FALSE(baseline.results.interlaced_or_progressive);
  EXPECT_TRUE(progressive.results.interlaced_or_progressive);
  EXPECT_EQ(std::memcmp(baseline.image.pixels, progressive.image.pixels, size_t{Stride(baseline.image)} * 29), 0)
      << "the coefficients are the same, so are the pixels";
}

TEST(JpegReader, JfifDensityBecomesPixelsPerMetre) {
  struct Case {
    uint8_t unit;
    uint16_t x, y;
    int32_t want_x, want_y;
  };
  const Case cases[] = {{1, 300, 72, 11811, 2835}, {2, 118, 40, 11800, 4000}, {0, 3, 2, 0, 0},
                        {1, 0, 65535, 0, 2580118}};
  for (const Case& c : cases) {
    Encoding e;
    e.density_unit = c.unit;
    e.x_density = c.x;
    e.y_density = c.y;
    Decoded d;
    Decode(Encode(e, Flat({1, 2, 3})), &d);
    ASSERT_EQ(d.status, Status::kOk);
    EXPECT_EQ(d.image.header.x_pels_per_meter, c.want_x) << int(c.unit) << " " << c.x;
    EXPECT_EQ(d.image.header.y_pels_per_meter, c.want_y) << int(c.unit) << " " << c.y;
  }
}

Bytes OrientationExif(uint32_t orientation) {
  return ExifBuilder(true).Ifd0({{271, 2, 4, 0}, {274, 3, 1, orientation}}).Build();
}

TEST(JpegReader, ReportsTheExifOrientationAndCountsComments) {
  const Bytes plain = Encode(Encoding{}, Flat({9, 9, 9}));
  for (uint32_t orientation = 0; orientation <= 9; ++orientation) {
    const Bytes jpeg = WithSegments(plain, JpegStream()
                                              .Comment("first")
                                              .Segment(0xE1, OrientationExif(orientation))
                                              .Comment("second")
                                              .bytes());
    Decoded d;
    Decode(jpeg, &d);
    ASSERT_EQ(d.status, Status::kOk);
    EXPECT_EQ(d.results.information_count, 1);
    EXPECT_EQ(d.results.comment_count, 2);
    const int want = orientation >= 1 && orientation <= 8 ? int(orientation) : 1;
    EXPECT_EQ(d.results.exif_orientation, want) << orientation;
  }
  Decoded none;
  Decode(plain, &none);
  EXPECT_EQ(none.results.information_count, 0);
  EXPECT_EQ(none.results.comment_count, 0);
  EXPECT_EQ(none.results.exif_orientation, 1);
  // The first Exif block is the one that counts.
  Decoded two;
  Decode(WithSegments(plain, JpegStream()
                                 .Segment(0xE1, OrientationExif(6))
                                 .Segment(0xE1, OrientationExif(3))
                                 .bytes()),
         &two);
  EXPECT_EQ(two.results.exif_orientation, 6);
}

// The library passes over an APPn segment whose length is below 2; the
// marker walk stops there. The picture stands and the counts are those
// found before it.
TEST(JpegReader, ASegmentTheWalkCannotReadKeepsThePicture) {
  const Bytes plain = Encode(Encoding{}, Flat({90, 90, 90}));
  const Bytes jpeg = WithSegments(plain, JpegStream()
                                             .Comment("counted")
                                             .Raw({0xFF, 0xE3, 0x00, 0x01})
                                             .Comment("behind the break")
                                             .bytes());
  Decoded d;
  Decode(jpeg, &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_EQ(d.results.comment_count, 1);
  EXPECT_NEAR(int(RowFromTop(d.image, 3)[3]), 90, 1);
}

// A second frame header behind the image data makes the library fail after
// every row is in, and it rewrites the frame's fields before it does: the
// picture stands as it was read.
TEST(JpegReader, AFrameHeaderBehindTheImageDataChangesNothing) {
  Encoding e;
  e.components = 1;
  e.colour = JCS_GRAYSCALE;
  e.density_unit = 1;
  e.x_density = e.y_density = 300;
  Bytes jpeg = Encode(e, Flat({77}));
  const Bytes colour_frame = JpegStream().Segment(0xC0, {8, 0, 16, 0, 16, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0}).bytes();
  jpeg.insert(jpeg.end() - 2, colour_frame.begin(), colour_frame.end());
  Decoded d;
  Decode(jpeg, &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_EQ(d.image.header.bit_count, 8);
  EXPECT_EQ(d.image.source_bits_per_pixel, 8u);
  EXPECT_EQ(d.image.palette[200].red, 200);
  EXPECT_EQ(d.image.header.x_pels_per_meter, 11811);
  EXPECT_EQ(RowFromTop(d.image, 15)[15], 77);
}

// The library finishes a picture whose data stop early with grey blocks.
TEST(JpegReader, AFileCutInsideItsImageDataLoadsWithGreyBelow) {
  Encoding e;
  e.width = 64;
  e.height = 64;
  e.quality = 90;
  const Bytes whole = Encode(e, Flat({0, 0, 0}));
  const size_t data_start = MarkerAt(whole, 0xDA) + 14;  // SOS of three components
  const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(data_start + 6));
  Decoded d;
  Decode(cut, &d);
  ASSERT_EQ(d.status, Status::kOk) << d.error_text;
  EXPECT_TRUE(d.error_text.empty());
  EXPECT_EQ(d.Rgb(0, 0), 0x000000u);
  EXPECT_EQ(d.Rgb(63, 63), 0x808080u);
}

TEST(JpegReader, RefusesWhatItCannotReadWithAReasonAndNoPixels) {
  const Bytes good = Encode(Encoding{}, QuadrantSamples);
  ExpectRefused({}, Status::kReadFailed, true, "no bytes");
  ExpectRefused(Bytes(good.begin(), good.begin() + 40), Status::kReadFailed, true, "cut in the headers");
  ExpectRefused(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0}, Status::kCorrupt, true,
                "not a JPEG file");
  Bytes precision = good;
  precision[MarkerAt(good, 0xC0) + 4] = 9;
  ExpectRefused(precision, Status::kCorrupt, true, "9-bit samples");
  Bytes no_height = good;
  const size_t sof = MarkerAt(good, 0xC0);
  no_height[sof + 5] = no_height[sof + 6] = 0;
  ExpectRefused(no_height, Status::kUnsupported, true, "zero height");
  Bytes huge = good;
  for (size_t at : {sof + 5, sof + 6, sof + 7, sof + 8}) huge[at] = 0xFD;  // 65021 x 65021
  ExpectRefused(huge, Status::kUnsupported, false, "a pixel block over 4 GiB");

  Encoding two;
  two.components = 2;
  two.colour = JCS_UNKNOWN;
  ExpectRefused(Encode(two, Flat({1, 2})), Status::kUnsupported, false, "two components");
}

// 20000 x 20000 fits the pixel block, but its coefficients would take
// 2.4 GB of the library's memory.
TEST(JpegReader, RefusesProgressiveFilesWhoseCoefficientsOutgrowTheLimit) {
  Encoding e;
  e.progressive = true;
  Bytes jpeg = Encode(e, Flat({5, 6, 7}));
  const size_t sof = MarkerAt(jpeg, 0xC2);
  for (size_t at : {sof + 5, sof + 7}) jpeg[at] = 20000 >> 8, jpeg[at + 1] = 20000 & 0xFF;
  ExpectRefused(jpeg, Status::kUnsupported, true, "coefficients over the limit");
}

TEST(JpegReader, RefusesFilesWithMoreScansThanTheLimit) {
  Encoding e;
  e.progressive = true;
  const Bytes jpeg = Encode(e, Flat({5, 6, 7}));
  // The last scan again and again: the library only warns about a repeated
  // refinement, so it is the limit that stops the file.
  const size_t last_scan = [&] {
    size_t at = 0;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
      if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) at = i;
    }
    return at;
  }();
  const Bytes scan(jpeg.begin() + static_cast<long>(last_scan), jpeg.end() - 2);
  auto with_scans = [&](int extra) {
    Bytes out(jpeg.begin(), jpeg.end() - 2);
    for (int i = 0; i < extra; ++i) out.insert(out.end(), scan.begin(), scan.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
  };
  Decoded within;
  Decode(with_scans(kJpegScanLimit - 20), &within);
  EXPECT_EQ(within.status, Status::kOk) << within.error_text;
  ExpectRefused(with_scans(kJpegScanLimit), Status::kCorrupt, true, "too many scans");
  Decoded over;
  Decode(with_scans(kJpegScanLimit), &over);
  EXPECT_EQ(over.error_text, "Too many scans in the JPEG file (more than 500)");
}

TEST(JpegReader, SourcesCarryTheLibrarysTextAndTheFileFormPassesResultsOn) {
  Bytes bad = Encode(Encoding{}, Flat({1, 2, 3}));
  bad[MarkerAt(bad, 0xC0) + 4] = 9;
  PageBlock block(bad.size());
  std::memcpy(block.data(), bad.data(), bad.size());
  Decoded d;
  DecodeSource source;
  OpenMemorySource(&source, std::move(block), static_cast<uint32_t>(bad.size()), &d.image);
  EXPECT_FALSE(ReadJpeg(&source));
  EXPECT_EQ(source.status, Status::kCorrupt);
  EXPECT_NE(source.error_text.find("precision"), std::string::npos) << source.error_text;

  TempDir dir;
  const Bytes jpeg = WithSegments(Encode(Encoding{}, Flat({1, 2, 3})),
                                  JpegStream().Segment(0xE1, OrientationExif(8)).Comment("c").bytes());
  const std::string path = dir.Write("picture.jpg", jpeg);
  Decoded file;
  FormatCode format = kFormatUnknown;
  ASSERT_EQ(DecodeImageFile(path.c_str(), &file.image, &format, {}, &file.results), Status::kOk);
  EXPECT_EQ(format, kFormatJpeg);
  EXPECT_EQ(file.image.source_size, jpeg.size());
  EXPECT_EQ(file.results.exif_orientation, 8);
  EXPECT_EQ(file.results.comment_count, 1);
  EXPECT_EQ(file.results.information_count, 1);
}

}  // namespace
