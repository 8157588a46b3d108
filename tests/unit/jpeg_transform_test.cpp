#include "codecs/jpeg_transform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/exif.h"
#include "codecs/jpeg_markers.h"
#include "codecs/memory_sink.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/jpeg_coefficient_support.h"
#include "tests/unit/jpeg_test_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr const char* kJpegtran = "/usr/bin/jpegtran";

struct Transformed {
  Status status = Status::kOk;
  std::string error;
  Bytes bytes;
};

Transformed Transform(Bytes data, const JpegTransformOptions& options) {
  Transformed result;
  MemorySink sink;
  result.status = TransformJpeg(data.data(), data.size(), options, &sink, &result.error);
  result.bytes = sink.bytes();
  return result;
}

JpegTransformOptions Options(int code, bool trim = false) {
  JpegTransformOptions options;
  options.code = code;
  options.trim = trim;
  return options;
}

const char* JpegtranOperation(int code) {
  static const char* kOperations[] = {"", "-flip horizontal", "-flip vertical", "-rotate 90",
                                      "-rotate 180", "-rotate 270"};
  return kOperations[code];
}

struct Layout {
  const char* name;
  int components, h_samp, v_samp;
};
constexpr Layout kLayouts[] = {
    {"4:2:0", 3, 2, 2}, {"4:2:2", 3, 2, 1}, {"4:4:4", 3, 1, 1}, {"grey", 1, 1, 1}};

struct Size {
  int width, height;
};
constexpr Size kSizes[] = {{64, 48}, {61, 45}, {13, 7}};

JpegToMake Request(const Layout& layout, const Size& size) {
  return {size.width, size.height, layout.components, layout.h_samp, layout.v_samp};
}

// Our file and jpegtran's, made from the same source with the same options,
// decode to exactly the same pixels.
void ExpectJpegtransPixels(const TempDir& dir, const Bytes& source, JpegTransformOptions options,
                           const std::string& what) {
  const std::string source_file = dir.Write("source.jpg", source);
  const std::string theirs_file = dir.File("theirs.jpg");
  const std::string arguments = std::string(JpegtranOperation(options.code)) + (options.trim ? " -trim" : "") +
                                (options.greyscale ? " -grayscale" : "") + " -copy all -outfile " +
                                theirs_file + " " + source_file;
  ASSERT_TRUE(RunTool(kJpegtran, arguments)) << what;
  const Transformed ours = Transform(source, options);
  ASSERT_EQ(ours.status, Status::kOk) << what << ": " << ours.error;
  const JpegContents mine = ReadJpeg(ours.bytes, false);
  const JpegContents expected = ReadJpeg(ReadWholeFile(theirs_file), false);
  ASSERT_TRUE(mine.ok) << what << ": " << mine.error;
  EXPECT_EQ(mine.width, expected.width) << what;
  EXPECT_EQ(mine.height, expected.height) << what;
  EXPECT_EQ(mine.components, expected.components) << what;
  EXPECT_TRUE(mine.pixels == expected.pixels) << what;
}

// Every code, with and without trimming, on sizes that fill whole iMCUs and
// sizes that leave partial ones: our file shows exactly jpegtran's pixels.
// Keeping only the luminance makes the iMCU a single block.
TEST(TransformJpeg, ShowsTheSamePixelsAsJpegtran) {
  if (access(kJpegtran, X_OK) != 0) GTEST_SKIP() << "jpegtran is not installed";
  TempDir dir;
  for (const Layout& layout : kLayouts) {
    for (const Size& size : kSizes) {
      const Bytes source = MakeJpeg(Request(layout, size));
      ASSERT_FALSE(source.empty());
      for (int code = 1; code <= 5; ++code) {
        for (bool trim : {false, true}) {
          for (bool grey : {false, true}) {
            if (grey && layout.components == 1) continue;
            JpegTransformOptions options = Options(code, trim);
            options.greyscale = grey;
            ExpectJpegtransPixels(dir, source, options,
                                  std::string(layout.name) + " " + std::to_string(size.width) + "x" +
                                      std::to_string(size.height) + " " + JpegtranOperation(code) +
                                      (trim ? " -trim" : "") + (grey ? " -grayscale" : ""));
          }
        }
      }
    }
  }
}

// The source block a target block of a trimmed picture comes from, and the
// sign and place of each coefficient, straight from the geometry: a
// mirror across negates odd horizontal frequencies, a mirror down odd
// vertical ones, a quarter turn transposes the block.
struct ExpectedBlock {
  JDIMENSION x, y;
  bool transposed, negate_odd_u, negate_odd_v;
};

ExpectedBlock Expected(int code, JDIMENSION x, JDIMENSION y, JDIMENSION across, JDIMENSION down) {
  switch (code) {
    case 1: return {across - 1 - x, y, false, true, false};
    case 2: return {x, down - 1 - y, false, false, true};
    case 3: return {y, across - 1 - x, true, true, false};
    case 4: return {across - 1 - x, down - 1 - y, false, true, true};
    default: return {down - 1 - y, x, true, false, true};
  }
}

int ExpectedCoefficient(const ExpectedBlock& e, const JCOEF* source, int u, int v) {
  const int value = e.transposed ? source[u * 8 + v] : source[v * 8 + u];
  const bool negate = (e.negate_odd_u && (u & 1)) != (e.negate_odd_v && (v & 1));
  return negate ? -value : value;
}

TEST(TransformJpeg, EveryBlockIsTheTransformedSourceBlock) {
  for (const Layout& layout : kLayouts) {
    const Size size{96, 64};  // whole iMCUs in every layout
    const Bytes source = MakeJpeg(Request(layout, size));
    const JpegContents before = ReadJpeg(source, true);
    ASSERT_TRUE(before.ok);
    for (int code = 1; code <= 5; ++code) {
      const Transformed ours = Transform(source, Options(code, true));
      ASSERT_EQ(ours.status, Status::kOk);
      const JpegContents after = ReadJpeg(ours.bytes, true);
      ASSERT_TRUE(after.ok);
      ASSERT_EQ(after.planes.size(), before.planes.size());
      const bool quarter = code == 3 || code == 5;
      for (size_t c = 0; c < after.planes.size(); ++c) {
        const JpegComponentBlocks& from = before.planes[c];
        const JpegComponentBlocks& to = after.planes[c];
        EXPECT_EQ(to.h_samp, quarter ? from.v_samp : from.h_samp);
        EXPECT_EQ(to.v_samp, quarter ? from.h_samp : from.v_samp);
        ASSERT_EQ(to.across, quarter ? from.down : from.across);
        ASSERT_EQ(to.down, quarter ? from.across : from.down);
        for (int v = 0; v < 8; ++v) {
          for (int u = 0; u < 8; ++u) {
            const int k = quarter ? u * 8 + v : v * 8 + u;
            EXPECT_EQ(after.quant_tables[c][v * 8 + u], before.quant_tables[c][k]);
          }
        }
        for (JDIMENSION y = 0; y < to.down; ++y) {
          for (JDIMENSION x = 0; x < to.across; ++x) {
            const ExpectedBlock e = Expected(code, x, y, to.across, to.down);
            const JCOEF* source_block = from.Block(e.x, e.y);
            for (int k = 0; k < 64; ++k) {
              ASSERT_EQ(to.Block(x, y)[k], ExpectedCoefficient(e, source_block, k % 8, k / 8))
                  << layout.name << " code " << code << " component " << c << " block " << x << "," << y;
            }
          }
        }
      }
    }
  }
}

TEST(TransformJpeg, WithoutATransformationTheCoefficientsStayAsTheyAre) {
  const Bytes source = MakeJpeg(Request(kLayouts[0], kSizes[1]));
  const Transformed ours = Transform(source, Options(0));
  ASSERT_EQ(ours.status, Status::kOk);
  const JpegContents before = ReadJpeg(source, true), after = ReadJpeg(ours.bytes, true);
  ASSERT_EQ(after.planes.size(), 3u);
  for (size_t c = 0; c < 3; ++c) EXPECT_EQ(after.planes[c].coefficients, before.planes[c].coefficients);
}

// The marker codes of a file up to its image data.
std::vector<uint8_t> MarkerCodes(const Bytes& file) {
  struct Collect : JpegMarkerHandler {
    bool OnExif(const ExifSegment& s) override { return Add(s.segment); }
    bool OnComment(const JpegSegment& s) override { return Add(s); }
    bool OnOtherSegment(const JpegSegment& s) override { return Add(s); }
    bool Add(const JpegSegment& s) {
      if (s.code != 0xE0 && s.code != 0xE1 && s.code != 0xE2 && s.code != 0xFE) return false;
      codes.push_back(s.code);
      return false;
    }
    std::vector<uint8_t> codes;
  } collect;
  ScanJpegMarkers(file.data(), file.size(), &collect);
  return collect.codes;
}

Bytes ExifBlock(uint16_t orientation, uint32_t width, uint32_t height, bool little) {
  return ExifBuilder(little)
      .Ifd0({{274, 3, 1, orientation}})
      .SubIfd({{40962, 4, 1, width}, {40963, 4, 1, height}})
      .Build();
}

JpegToMake WithMarkers(bool little_endian_exif) {
  JpegToMake request = Request(kLayouts[0], kSizes[0]);
  request.markers = {{0xE1, ExifBlock(6, 64, 48, little_endian_exif)},
                     {0xE2, {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1}},
                     {0xFE, {'a', ' ', 'n', 'o', 't', 'e'}}};
  return request;
}

TEST(TransformJpeg, KeepsTheMarkersAskedFor) {
  const Bytes source = MakeJpeg(WithMarkers(true));
  // The library writes its own JFIF header; the source's is never doubled.
  const std::vector<uint8_t> expected[] = {{0xE0}, {0xE0, 0xFE}, {0xE0, 0xE1, 0xE2, 0xFE}};
  for (int markers = 0; markers <= 2; ++markers) {
    JpegTransformOptions options = Options(4);
    options.markers = markers;
    const Transformed ours = Transform(source, options);
    ASSERT_EQ(ours.status, Status::kOk);
    EXPECT_EQ(MarkerCodes(ours.bytes), expected[markers]) << "markers " << markers;
  }
}

// The Exif block of a file, from "Exif" on.
Bytes ExifOf(const Bytes& file) {
  const JpegMarkerScan scan = ScanJpegMarkers(file.data(), file.size(), nullptr);
  if (!scan.exif_found) return {};
  return Bytes(file.begin() + ptrdiff_t(scan.exif_start),
               file.begin() + ptrdiff_t(scan.exif_start + scan.exif_length));
}

TEST(TransformJpeg, StoresTheTurnedPictureUprightWithItsNewExifSize) {
  for (bool little : {true, false}) {
    const Bytes source = MakeJpeg(WithMarkers(little));
    JpegTransformOptions options = Options(3);
    options.markers = 2;
    const Transformed turned = Transform(source, options);
    ASSERT_EQ(turned.status, Status::kOk);
    EXPECT_EQ(ExifOf(turned.bytes), ExifBlock(1, 48, 64, little));
    // Flipped, the size stays and only the orientation changes.
    options.code = 2;
    EXPECT_EQ(ExifOf(Transform(source, options).bytes), ExifBlock(1, 64, 48, little));
    // Trimmed, the size shrinks even without a turn.
    JpegToMake odd = WithMarkers(little);
    odd.width = 61;
    const Bytes odd_source = MakeJpeg(odd);
    options.code = 1;
    options.trim = true;
    EXPECT_EQ(ExifOf(Transform(odd_source, options).bytes), ExifBlock(1, 48, 48, little));
    // Recompressed unchanged, the Exif block stays as it was.
    options.code = 0;
    EXPECT_EQ(ExifOf(Transform(source, options).bytes), ExifBlock(6, 64, 48, little));
  }
}

TEST(TransformJpeg, GreyscaleKeepsExactlyTheLuminance) {
  const Bytes source = MakeJpeg(Request(kLayouts[0], kSizes[1]));
  JpegTransformOptions options = Options(0);
  options.greyscale = true;
  const Transformed grey = Transform(source, options);
  ASSERT_EQ(grey.status, Status::kOk) << grey.error;
  const JpegContents before = ReadJpeg(source, true), after = ReadJpeg(grey.bytes, true);
  ASSERT_EQ(after.components, 1);
  EXPECT_EQ(after.quant_tables[0], before.quant_tables[0]);
  ASSERT_EQ(after.planes[0].across, before.planes[0].across);
  ASSERT_EQ(after.planes[0].down, before.planes[0].down);
  EXPECT_EQ(after.planes[0].coefficients, before.planes[0].coefficients);

  // A picture that is grey already has no luminance to pick out.
  const Transformed refused = Transform(MakeJpeg(Request(kLayouts[3], kSizes[0])), options);
  EXPECT_EQ(refused.status, Status::kUnsupported);
  EXPECT_EQ(refused.error, "Unsupported color conversion request");
}

TEST(TransformJpeg, WritesProgressiveDataWhenAsked) {
  const Bytes source = MakeJpeg(Request(kLayouts[0], kSizes[1]));
  JpegTransformOptions options = Options(3);
  EXPECT_FALSE(ReadJpeg(Transform(source, options).bytes, false).progressive);
  options.progressive = true;
  const Transformed progressive = Transform(source, options);
  ASSERT_EQ(progressive.status, Status::kOk);
  const JpegContents contents = ReadJpeg(progressive.bytes, false);
  EXPECT_TRUE(contents.progressive);
  // The same picture either way.
  EXPECT_TRUE(contents.pixels == ReadJpeg(Transform(source, Options(3)).bytes, false).pixels);
}

TEST(TransformJpeg, RefusesDamagedInputWithTheLibrarysReason) {
  const Bytes good = MakeJpeg(Request(kLayouts[0], kSizes[0]));
  Bytes truncated(good.begin(), good.begin() + ptrdiff_t(good.size() / 2));
  Bytes garbage = good;
  for (size_t i = 0; i < 64; ++i) garbage[garbage.size() / 2 + i] = 0xFF;  // markers in the data
  const Bytes inputs[] = {{}, {0xFF, 0xD8}, Bytes(100, 0x41), truncated, garbage};
  for (const Bytes& input : inputs) {
    const Transformed result = Transform(input, Options(3));
    EXPECT_NE(result.status, Status::kOk) << input.size() << " bytes";
    EXPECT_FALSE(result.error.empty()) << input.size() << " bytes";
    EXPECT_LE(result.error.size(), kJpegErrorTextLimit);
  }
  EXPECT_EQ(Transform(good, Options(6)).status, Status::kUnsupported);
}

// A frame header may declare a picture far larger than its data: the
// coefficient arrays it would need are refused before they are made.
TEST(TransformJpeg, RefusesPicturesBeyondTheMemoryAllowed) {
  JpegToMake request = Request(kLayouts[2], {64, 64});
  Bytes big = MakeJpeg(request);
  for (size_t i = 0; i + 8 < big.size(); ++i) {
    if (big[i] == 0xFF && big[i + 1] == 0xC0) {  // SOF0: height, width after the precision
      big[i + 5] = 0xFD, big[i + 6] = 0xE8, big[i + 7] = 0xFD, big[i + 8] = 0xE8;  // 65000 x 65000
      break;
    }
  }
  JpegTransformOptions options = Options(1);
  const Transformed refused = Transform(big, options);
  EXPECT_EQ(refused.status, Status::kUnsupported);
  EXPECT_FALSE(refused.error.empty());
  // A smaller allowance refuses a smaller picture.
  options.memory_limit = 64 << 10;
  EXPECT_EQ(Transform(MakeJpeg(Request(kLayouts[2], {256, 256})), options).status, Status::kUnsupported);
}

// A progressive file holding one DC value no 8-bit picture has, made by
// writing the coefficients straight back with that value changed.
struct Tampering {
  const Bytes* source = nullptr;
  JpegErrorManager errors;
  jpeg_decompress_struct reader{};
  jpeg_compress_struct writer{};
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
};

void TamperGuarded(void* context) {
  auto* t = static_cast<Tampering*>(context);
  t->reader.err = t->writer.err = &t->errors.library;
  jpeg_create_decompress(&t->reader);
  jpeg_create_compress(&t->writer);
  UseJpegMemorySource(&t->reader, t->source->data(), t->source->size());
  jpeg_read_header(&t->reader, TRUE);
  jvirt_barray_ptr* arrays = jpeg_read_coefficients(&t->reader);
  JBLOCKARRAY row = t->reader.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&t->reader), arrays[0], 0, 1, TRUE);
  row[0][1][0] = 1500;
  jpeg_copy_critical_parameters(&t->reader, &t->writer);
  jpeg_simple_progression(&t->writer);
  jpeg_mem_dest(&t->writer, &t->bytes, &t->size);
  jpeg_write_coefficients(&t->writer, arrays);
  jpeg_finish_compress(&t->writer);
}

Bytes WithDcBeyondRange(const Bytes& source) {
  Tampering t;
  t.source = &source;
  UseJpegErrorManager(&t.errors);
  const bool made = RunJpegGuarded(&t.errors, TamperGuarded, &t);
  Bytes bytes;
  if (made) bytes.assign(t.bytes, t.bytes + t.size);
  jpeg_destroy_compress(&t.writer);
  jpeg_destroy_decompress(&t.reader);
  free(t.bytes);
  return bytes;
}

// Whatever output is asked for, such a file is refused, never stored as a
// file the sequential encoder could not write again.
TEST(TransformJpeg, RefusesCoefficientsBeyondTheirRange) {
  const Bytes tampered = WithDcBeyondRange(MakeJpeg(Request(kLayouts[2], {16, 16})));
  ASSERT_FALSE(tampered.empty());
  for (bool progressive : {false, true}) {
    JpegTransformOptions options = Options(3);
    options.progressive = progressive;
    const Transformed result = Transform(tampered, options);
    EXPECT_EQ(result.status, Status::kCorrupt) << (progressive ? "progressive" : "sequential");
    EXPECT_EQ(result.error, "DCT coefficient out of range");
  }
}

TEST(TransformJpeg, SinkFailureIsAWriteError) {
  Bytes source = MakeJpeg(Request(kLayouts[0], kSizes[0]));
  MemorySink small(100);
  std::string error;
  EXPECT_EQ(TransformJpeg(source.data(), source.size(), Options(3), &small, &error), Status::kCannotWrite);
  EXPECT_FALSE(error.empty());
}

TEST(TransformCodeForRotationState, MapsTheRotationStates) {
  const int expected[] = {0, 3, 4, 5, 1, 2};
  for (int state = 0; state <= 5; ++state) EXPECT_EQ(TransformCodeForRotationState(state), expected[state]);
  EXPECT_EQ(TransformCodeForRotationState(6), 0);
  EXPECT_EQ(TransformCodeForRotationState(-1), 0);
}

}  // namespace
