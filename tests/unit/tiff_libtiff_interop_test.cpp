// TIFF files made by libtiff's own tools (raw2tiff, ppm2tiff, tiffcp,
// tiffset), which lay out directories and strips their own way: every pixel
// must equal ImageMagick's decoding of the same file, the resolution must
// come out in pixels per metre, and compressed files and RGB in separate
// planes must be refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/tiff_reader.h"
#include "tests/unit/bmp_test_support.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kRaw2tiff = "/usr/bin/raw2tiff";
constexpr const char* kPpm2tiff = "/usr/bin/ppm2tiff";
constexpr const char* kTiffcp = "/usr/bin/tiffcp";
constexpr const char* kTiffset = "/usr/bin/tiffset";

bool HasLibtiffTools() {
  return HasTool(kRaw2tiff) && HasTool(kPpm2tiff) && HasTool(kTiffcp) && HasTool(kTiffset);
}

// An odd width, so that 1-bit and 4-bit rows end inside a byte.
constexpr int kWidth = 13;
constexpr int kHeight = 7;

uint8_t Red(int x, int y) { return uint8_t(x * 19 + y * 3); }
uint8_t Green(int x, int y) { return uint8_t(y * 37 + x); }
uint8_t Blue(int x, int y) { return uint8_t((x + y) % 3 * 120); }

Bytes Grey() {
  Bytes grey;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) grey.push_back(uint8_t(x * 19 + y * 37));
  }
  return grey;
}

Bytes Rgb() {
  Bytes rgb;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) rgb.insert(rgb.end(), {Red(x, y), Green(x, y), Blue(x, y)});
  }
  return rgb;
}

// 16-bit samples in this machine's order. The low byte differs from the high
// one (but where both are 255), so taking the wrong byte shows, yet it is at
// most 128 above it, so ImageMagick's scaling to 8 bits, by rounding or by
// truncation, still gives the high byte.
Bytes Rgb16() {
  Bytes rgb;
  for (uint8_t high : Rgb()) {
    const uint16_t v = uint16_t(high << 8 | high | 0x80);
    rgb.insert(rgb.end(), {uint8_t(v), uint8_t(v >> 8)});
  }
  return rgb;
}

Bytes Netpbm(const std::string& magic, const Bytes& samples) {
  const std::string header = magic + "\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) +
                             (magic == "P4" ? "\n" : "\n255\n");
  Bytes file(header.begin(), header.end());
  file.insert(file.end(), samples.begin(), samples.end());
  return file;
}

// Rows of bits, most significant first, each row padded to a byte.
Bytes Bilevel() {
  Bytes bits;
  for (int y = 0; y < kHeight; ++y) {
    for (int byte = 0; byte < (kWidth + 7) / 8; ++byte) {
      uint8_t b = 0;
      for (int i = 0; i < 8; ++i) {
        const int x = byte * 8 + i;
        if (x < kWidth && (x * y + x) % 3 == 0) b |= uint8_t(0x80 >> i);
      }
      bits.push_back(b);
    }
  }
  return bits;
}

// The source pictures every recipe starts from.
struct Sources {
  Sources() {
    dir.Write("grey.raw", Grey());
    dir.Write("rgb.raw", Rgb());
    dir.Write("rgb16.raw", Rgb16());
    dir.Write("picture.pgm", Netpbm("P5", Grey()));
    dir.Write("picture.ppm", Netpbm("P6", Rgb()));
    dir.Write("picture.pbm", Netpbm("P4", Bilevel()));
  }
  TempDir dir;
};

struct Step {
  const char* tool;
  std::string arguments;  // "@" stands for the folder of the sources
};

std::string InFolder(const std::string& arguments, const TempDir& dir) {
  std::string out;
  for (char c : arguments) {
    if (c == '@') {
      out.append(dir.path()).append("/");
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// Runs the steps, which leave their file in made.tif, and returns its bytes.
Bytes Make(const Sources& s, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (!RunTool(step.tool, InFolder(step.arguments, s.dir))) return {};
  }
  return ReadWholeFile(s.dir.File("made.tif"));
}

// Makes a file from fresh sources and reads it; kCorrupt when a step fails,
// which no case expects.
Status MakeAndRead(const std::vector<Step>& steps, OwnedImage* image) {
  Sources s;
  const Bytes tiff = Make(s, steps);
  if (tiff.empty()) return Status::kCorrupt;
  return ReadTiffBytes(tiff.data(), tiff.size(), &image->record);
}

constexpr const char* kImageMagickRgb = "-size 13x7 -depth 8 rgb:@rgb.raw";

Step FourBitGrey() {
  return {kConvert, std::string(kImageMagickRgb) + " -type Grayscale -depth 4 -compress none @im.tif"};
}

// Files of every depth and interpretation the reader shows, as the tools
// write them.
struct Recipe {
  const char* what;
  std::vector<Step> steps;
};

std::vector<Recipe> Recipes() {
  const std::string im = kImageMagickRgb;
  const Step grey4 = FourBitGrey();
  const Step palette8 = {kConvert, im + " -type Palette -compress none @im.tif"};
  const Step palette4 = {kConvert, im + " -type Palette -colors 16 -depth 4 -compress none @im.tif"};
  const Step palette1 = {kConvert, im + " -type Palette -colors 2 -depth 1 -compress none @im.tif"};
  const Step lzw = {kConvert, im + " -type TrueColor -compress lzw @im.tif"};
  const Step copy_im = {kTiffcp, "-c none @im.tif @made.tif"};
  return {
      {"raw2tiff 8-bit grey, min-is-black", {{kRaw2tiff, "-c none -w 13 -l 7 -b 1 -p minisblack @grey.raw @made.tif"}}},
      {"raw2tiff 8-bit grey, min-is-white", {{kRaw2tiff, "-c none -w 13 -l 7 -b 1 -p miniswhite @grey.raw @made.tif"}}},
      {"raw2tiff 8-bit grey, most significant bit first",
       {{kRaw2tiff, "-c none -M -w 13 -l 7 -b 1 -p minisblack @grey.raw @made.tif"}}},
      {"tiffcp of 1-bit least significant bit first",
       {{kPpm2tiff, "-c none @picture.pbm @im.tif"}, {kTiffcp, "-c none -f lsb2msb @im.tif @made.tif"}}},
      {"tiffcp of 4-bit grey least significant bit first",
       {grey4, {kTiffcp, "-c none -f lsb2msb @im.tif @made.tif"}}},
      {"raw2tiff 8-bit RGB", {{kRaw2tiff, "-c none -w 13 -l 7 -b 3 -p rgb @rgb.raw @made.tif"}}},
      {"raw2tiff 16-bit RGB", {{kRaw2tiff, "-c none -w 13 -l 7 -b 3 -d short -p rgb @rgb16.raw @made.tif"}}},
      {"raw2tiff 16-bit RGB, strips of 2 rows",
       {{kRaw2tiff, "-c none -w 13 -l 7 -b 3 -d short -p rgb -r 2 @rgb16.raw @made.tif"}}},
      {"ppm2tiff PPM", {{kPpm2tiff, "-c none @picture.ppm @made.tif"}}},
      {"ppm2tiff PGM", {{kPpm2tiff, "-c none @picture.pgm @made.tif"}}},
      {"ppm2tiff PBM, 1-bit min-is-white", {{kPpm2tiff, "-c none @picture.pbm @made.tif"}}},
      {"ppm2tiff PBM turned min-is-black",
       {{kPpm2tiff, "-c none @picture.pbm @made.tif"}, {kTiffset, "-s 262 1 @made.tif"}}},
      {"tiffcp of 4-bit grey, min-is-black", {grey4, copy_im}},
      {"tiffcp of 8-bit palette", {palette8, copy_im}},
      {"tiffcp of 4-bit palette", {palette4, copy_im}},
      {"tiffcp of 1-bit palette", {palette1, copy_im}},
      {"tiffcp decompressing LZW RGB", {lzw, copy_im}},
  };
}

// Each file is also rewritten by tiffcp in each byte order, with more strips.
struct Rewrite {
  const char* arguments;
  char order;  // the header's first byte
};
constexpr Rewrite kRewrites[] = {
    {"-c none -B -r 1 @made.tif @rewritten.tif", 'M'},
    {"-c none -L -r 3 @made.tif @rewritten.tif", 'I'},
    {"-c none -B -r 4 @made.tif @rewritten.tif", 'M'},
};

void ExpectDecodedAsImageMagick(const TempDir& dir, const std::string& file, const std::string& what) {
  const Bytes tiff = ReadWholeFile(file);
  OwnedImage image;
  ASSERT_EQ(ReadTiffBytes(tiff.data(), tiff.size(), &image.record), Status::kOk) << what;
  EXPECT_EQ(ImageRgb(image.record), DecodedRgb(dir, file)) << what;
}

TEST(TiffLibtiffInterop, ToolFilesDecodeAsImageMagickDecodesThem) {
  if (!HasImageMagick() || !HasLibtiffTools()) GTEST_SKIP() << "ImageMagick or libtiff's tools are missing";
  Sources s;
  for (const Recipe& recipe : Recipes()) {
    ASSERT_FALSE(Make(s, recipe.steps).empty()) << recipe.what;
    ExpectDecodedAsImageMagick(s.dir, s.dir.File("made.tif"), recipe.what);
    for (const Rewrite& rewrite : kRewrites) {
      const std::string what = std::string(recipe.what) + ", tiffcp " + rewrite.arguments;
      ASSERT_TRUE(RunTool(kTiffcp, InFolder(rewrite.arguments, s.dir))) << what;
      const std::string file = s.dir.File("rewritten.tif");
      ASSERT_EQ(ReadWholeFile(file).at(0), rewrite.order) << what;
      ExpectDecodedAsImageMagick(s.dir, file, what);
    }
  }
}

// ImageMagick 6 shows 4-bit min-is-white files as if they were min-is-black,
// so the file turned min-is-white by tiffset must decode to the inverse of
// ImageMagick's decoding of the min-is-black original.
TEST(TiffLibtiffInterop, FourBitMinIsWhiteIsTheInverseOfMinIsBlack) {
  if (!HasImageMagick() || !HasLibtiffTools()) GTEST_SKIP() << "ImageMagick or libtiff's tools are missing";
  Sources s;
  ASSERT_FALSE(Make(s, {FourBitGrey(), {kTiffcp, "-c none -B -r 2 @im.tif @made.tif"}}).empty());
  Bytes inverse = DecodedRgb(s.dir, s.dir.File("made.tif"));
  ASSERT_FALSE(inverse.empty());
  for (uint8_t& v : inverse) v = uint8_t(255 - v);
  const Bytes tiff = Make(s, {{kTiffset, "-s 262 0 @made.tif"}});
  OwnedImage image;
  ASSERT_EQ(ReadTiffBytes(tiff.data(), tiff.size(), &image.record), Status::kOk);
  EXPECT_EQ(ImageRgb(image.record), inverse);
}

TEST(TiffLibtiffInterop, ResolutionBecomesPixelsPerMetre) {
  if (!HasLibtiffTools()) GTEST_SKIP() << "libtiff's tools are missing";
  const Step kRaw = {kRaw2tiff, "-c none -w 13 -l 7 -b 3 -p rgb @rgb.raw @made.tif"};
  struct Case {
    const char* what;
    std::vector<Step> steps;
    int32_t x, y;
  };
  const Case cases[] = {
      {"ppm2tiff at 300 dpi", {{kPpm2tiff, "-c none -R 300 @picture.ppm @made.tif"}}, 11811, 11811},
      {"300 x 150 dpi",
       {kRaw, {kTiffset, "-s 296 2 @made.tif"}, {kTiffset, "-s 282 300.0 @made.tif"},
        {kTiffset, "-s 283 150.0 @made.tif"}},
       11811, 5906},
      {"12.5 x 40 dots per centimetre",
       {kRaw, {kTiffset, "-s 296 3 @made.tif"}, {kTiffset, "-s 282 12.5 @made.tif"},
        {kTiffset, "-s 283 40.0 @made.tif"}},
       1250, 4000},
      {"12.5 x 40 dots per centimetre, big-endian",
       {kRaw, {kTiffset, "-s 296 3 @made.tif"}, {kTiffset, "-s 282 12.5 @made.tif"},
        {kTiffset, "-s 283 40.0 @made.tif"}, {kTiffcp, "-c none -B @made.tif @big.tif"},
        {kTiffcp, "-c none @big.tif @made.tif"}},
       1250, 4000},
      {"72 dpi without a unit",
       {kRaw, {kTiffset, "-s 296 1 @made.tif"}, {kTiffset, "-s 282 72.0 @made.tif"},
        {kTiffset, "-s 283 72.0 @made.tif"}},
       0, 0},
      {"no resolution", {kRaw}, 0, 0},
  };
  for (const Case& c : cases) {
    OwnedImage image;
    ASSERT_EQ(MakeAndRead(c.steps, &image), Status::kOk) << c.what;
    EXPECT_EQ(image.record.header.x_pels_per_meter, c.x) << c.what;
    EXPECT_EQ(image.record.header.y_pels_per_meter, c.y) << c.what;
  }
}

TEST(TiffLibtiffInterop, CompressedAndPlanarFilesAreUnsupported) {
  if (!HasLibtiffTools()) GTEST_SKIP() << "libtiff's tools are missing";
  const Step rgb = {kRaw2tiff, "-c none -w 13 -l 7 -b 3 -p rgb @rgb.raw @plain.tif"};
  const Step bilevel = {kPpm2tiff, "-c none @picture.pbm @plain.tif"};
  const Recipe recipes[] = {
      {"LZW", {rgb, {kTiffcp, "-c lzw @plain.tif @made.tif"}}},
      {"LZW with prediction, big-endian", {rgb, {kTiffcp, "-B -c lzw:2 @plain.tif @made.tif"}}},
      {"PackBits", {rgb, {kTiffcp, "-c packbits @plain.tif @made.tif"}}},
      {"PackBits, big-endian", {rgb, {kTiffcp, "-B -c packbits -r 2 @plain.tif @made.tif"}}},
      {"ppm2tiff's PackBits", {{kPpm2tiff, "@picture.pgm @made.tif"}}},
      {"Deflate", {rgb, {kTiffcp, "-c zip @plain.tif @made.tif"}}},
      {"JPEG", {rgb, {kTiffcp, "-c jpeg @plain.tif @made.tif"}}},
      {"CCITT group 4", {bilevel, {kTiffcp, "-c g4 @plain.tif @made.tif"}}},
      // Not compressed, but each sample in a plane of its own, which the
      // reader does not join into pixels.
      {"RGB in separate planes", {rgb, {kTiffcp, "-c none -p separate @plain.tif @made.tif"}}},
  };
  for (const Recipe& recipe : recipes) {
    OwnedImage image;
    EXPECT_EQ(MakeAndRead(recipe.steps, &image), Status::kUnsupported) << recipe.what;
    EXPECT_EQ(image.record.pixels, nullptr) << recipe.what;
  }
}

}  // namespace
