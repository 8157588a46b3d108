// The WebP core against libwebp's own tools: pictures that cwebp encodes
// from ImageMagick's sources must come out as dwebp decodes them, with any
// transparency laid over white, and broken or lying files must be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "image/win_records.h"
#include "plugins/webp/webp_core.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kCwebp = "/usr/bin/cwebp";
constexpr const char* kDwebp = "/usr/bin/dwebp";
constexpr const char* kImg2webp = "/usr/bin/img2webp";
// Odd sizes, so every row of the bitmap carries padding.
constexpr int kWidth = 61, kHeight = 37;

bool HasWebpTools() { return HasTool(kCwebp) && HasTool(kDwebp) && HasImageMagick(); }

#define REQUIRE_WEBP_TOOLS() \
  if (!HasWebpTools()) GTEST_SKIP() << "cwebp, dwebp or ImageMagick missing (scripts/setup.sh installs them)"

std::string Size() { return std::to_string(kWidth) + "x" + std::to_string(kHeight); }

// A picture with detail everywhere; the seed keeps it the same from run to run.
std::string OpaqueSource(const TempDir& dir) {
  const std::string png = dir.File("opaque.png");
  RunTool(kConvert, "-size " + Size() + " -seed 7 plasma:fractal -depth 8 PNG24:" + png);
  return png;
}

// The same with alpha running from opaque at the top to clear at the bottom,
// so every alpha value meets many colours.
std::string TranslucentSource(const TempDir& dir) {
  const std::string png = dir.File("translucent.png");
  RunTool(kConvert, "-size " + Size() + " -seed 7 plasma:fractal \\( -size " + Size() +
                        " gradient:white-black \\) -alpha off -compose CopyOpacity -composite"
                        " -depth 8 PNG32:" + png);
  return png;
}

Bytes Encoded(const TempDir& dir, const std::string& source, const std::string& options) {
  const std::string webp = dir.File("encoded.webp");
  if (!RunTool(kCwebp, "-quiet " + options + " " + source + " -o " + webp)) return {};
  return ReadWholeFile(webp);
}

struct RgbaPicture {
  int width = 0, height = 0;
  Bytes samples;  // red, green, blue, alpha; top row first
};

// A PAM as dwebp writes it: text header lines up to ENDHDR, then the samples.
RgbaPicture ParsePam(const Bytes& file) {
  RgbaPicture picture;
  const std::string text(file.begin(), file.end());
  const size_t end = text.find("ENDHDR\n");
  if (text.rfind("P7\n", 0) != 0 || end == std::string::npos) return {};
  std::istringstream header(text.substr(0, end));
  std::string key;
  int depth = 0;
  while (header >> key) {
    if (key == "WIDTH") header >> picture.width;
    if (key == "HEIGHT") header >> picture.height;
    if (key == "DEPTH") header >> depth;
  }
  const size_t bytes = size_t(picture.width) * size_t(picture.height) * 4;
  const size_t start = end + 7;
  if (depth != 4 || file.size() - start != bytes) return {};
  picture.samples.assign(file.begin() + ptrdiff_t(start), file.end());
  return picture;
}

RgbaPicture DwebpPicture(const TempDir& dir, const Bytes& webp) {
  const std::string in = dir.Write("reference.webp", webp), out = dir.File("reference.pam");
  if (!RunTool(kDwebp, "-quiet " + in + " -pam -o " + out)) return {};
  return ParsePam(ReadWholeFile(out));
}

// ImageMagick's reading of an RGBA source, as a picture.
RgbaPicture SourcePicture(const TempDir& dir, const std::string& source) {
  const std::string raw = dir.File("source.rgba");
  if (!RunTool(kConvert, source + " -depth 8 rgba:" + raw)) return {};
  return {kWidth, kHeight, ReadWholeFile(raw)};
}

uint8_t OnWhite(uint8_t c, uint8_t a) { return uint8_t((c * a + 255 * (255 - a) + 127) / 255); }

// Red, green, blue, top row first, as the picture looks on white paper.
Bytes OnWhiteRgb(const RgbaPicture& picture) {
  Bytes rgb;
  for (size_t i = 0; i + 3 < picture.samples.size(); i += 4) {
    const uint8_t* p = &picture.samples[i];
    rgb.insert(rgb.end(), {OnWhite(p[0], p[3]), OnWhite(p[1], p[3]), OnWhite(p[2], p[3])});
  }
  return rgb;
}

DibHeader HeaderOf(const PluginDib& dib) {
  DibHeader h = {};
  if (dib.info.size() >= sizeof h) std::memcpy(&h, dib.info.data(), sizeof h);
  return h;
}

size_t StrideOf(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }

// Our bitmap as red, green, blue, top row first.
Bytes TopDownRgb(const PluginDib& dib) {
  const DibHeader h = HeaderOf(dib);
  const size_t stride = StrideOf(h.width);
  Bytes rgb;
  for (int y = h.height - 1; y >= 0; --y) {
    const uint8_t* row = dib.bits.data() + size_t(y) * stride;
    for (int x = 0; x < h.width; ++x) rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  return rgb;
}

bool Decode(const Bytes& file, PluginDib* dib) { return WebpCore().decode(file.data(), file.size(), dib); }

// Decodes the file and checks it is a well-formed 24-bit bitmap of the
// test's size; the pixels as red, green, blue, top row first.
Bytes DecodedRgb(const Bytes& file) {
  PluginDib dib;
  EXPECT_TRUE(Decode(file, &dib));
  const DibHeader h = HeaderOf(dib);
  EXPECT_EQ(dib.info.size(), sizeof(DibHeader)) << "a 24-bit bitmap has no colour table";
  EXPECT_EQ(h.size, 40u);
  EXPECT_EQ(h.width, kWidth);
  EXPECT_EQ(h.height, kHeight) << "positive: bottom-up";
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.bit_count, 24);
  EXPECT_EQ(h.compression, 0u);
  const size_t stride = StrideOf(kWidth);
  EXPECT_EQ(dib.bits.size(), stride * kHeight);
  if (h.width != kWidth || h.height != kHeight || dib.bits.size() != stride * kHeight) return {};
  for (size_t y = 0; y < size_t(kHeight); ++y) {
    for (size_t x = size_t(kWidth) * 3; x < stride; ++x) EXPECT_EQ(dib.bits[y * stride + x], 0) << "padding";
  }
  return TopDownRgb(dib);
}

void StoreU32(Bytes* bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Sized up front: GCC 12 mistakes growing inserts into small vectors for
// overflows.
Bytes Riff(const Bytes& chunks) {
  Bytes file(12 + chunks.size());
  std::memcpy(file.data(), "RIFF....WEBP", 12);
  std::copy(chunks.begin(), chunks.end(), file.begin() + 12);
  StoreU32(&file, 4, uint32_t(file.size() - 8));
  return file;
}

Bytes Chunk(const char* tag, const Bytes& payload) {
  Bytes chunk(8 + payload.size() + payload.size() % 2, 0);
  std::memcpy(chunk.data(), tag, 4);
  StoreU32(&chunk, 4, uint32_t(payload.size()));
  std::copy(payload.begin(), payload.end(), chunk.begin() + 8);
  return chunk;
}

TEST(WebpCore, NamesItselfAnImagePluginForWebpFiles) {
  const SpiImageCore& core = WebpCore();
  ASSERT_EQ(core.info_count, 4u);
  EXPECT_EQ(std::string(core.info[0]).substr(0, 4), "00IN");
  EXPECT_STREQ(core.info[2], "*.webp");
  EXPECT_STREQ(core.info[3], "WebP images");
}

TEST(WebpCore, AcceptsRiffFilesOfTheWebpForm) {
  const auto accepts = [](const std::string& head) {
    Bytes buffer(2048, 0);
    std::memcpy(buffer.data(), head.data(), head.size());
    return WebpCore().accepts(buffer.data(), head.size());
  };
  EXPECT_TRUE(accepts(std::string("RIFF\x24\0\0\0WEBPVP8L", 16)));
  EXPECT_FALSE(accepts(std::string("RIFF\x24\0\0\0WAVEfmt ", 16)));
  EXPECT_FALSE(accepts("RIFX....WEBP"));
  EXPECT_FALSE(accepts("RIFF....WEB")) << "too short to tell";
}

TEST(WebpCore, LosslessPicturesComeOutAsTheirSource) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const std::string source = OpaqueSource(dir);
  const Bytes webp = Encoded(dir, source, "-lossless");
  ASSERT_FALSE(webp.empty());
  const Bytes ours = DecodedRgb(webp);
  EXPECT_EQ(ours, DecodedRgb(dir, source));
  EXPECT_EQ(ours, OnWhiteRgb(DwebpPicture(dir, webp)));
}

TEST(WebpCore, LossyPicturesComeOutAsDwebpDecodesThem) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const Bytes webp = Encoded(dir, OpaqueSource(dir), "-q 80");
  ASSERT_FALSE(webp.empty());
  const RgbaPicture reference = DwebpPicture(dir, webp);
  ASSERT_EQ(reference.width, kWidth);
  EXPECT_EQ(DecodedRgb(webp), OnWhiteRgb(reference));
}

TEST(WebpCore, LosslessTransparencyIsLaidOverWhite) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const std::string source = TranslucentSource(dir);
  const Bytes webp = Encoded(dir, source, "-lossless -exact");
  ASSERT_FALSE(webp.empty());
  const RgbaPicture original = SourcePicture(dir, source);
  ASSERT_EQ(original.samples.size(), size_t(kWidth) * kHeight * 4);
  const Bytes ours = DecodedRgb(webp);
  EXPECT_EQ(ours, OnWhiteRgb(original));
  EXPECT_EQ(ours, OnWhiteRgb(DwebpPicture(dir, webp)));
  EXPECT_NE(ours, DecodedRgb(dir, source)) << "the source's alpha must matter";
}

TEST(WebpCore, LossyTransparencyIsLaidOverWhite) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const Bytes webp = Encoded(dir, TranslucentSource(dir), "-q 80 -alpha_q 60");
  ASSERT_FALSE(webp.empty());
  const RgbaPicture reference = DwebpPicture(dir, webp);
  ASSERT_EQ(reference.width, kWidth);
  EXPECT_EQ(DecodedRgb(webp), OnWhiteRgb(reference));
}

TEST(WebpCore, TruncatedFilesAreRefused) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const std::string source = TranslucentSource(dir);
  for (const char* options : {"-lossless", "-q 80"}) {
    const Bytes webp = Encoded(dir, source, options);
    ASSERT_GT(webp.size(), 64u) << options;
    for (size_t keep : {size_t(0), size_t(11), size_t(12), size_t(20), size_t(30), webp.size() / 2,
                        webp.size() - 1}) {
      const Bytes cut(webp.begin(), webp.begin() + ptrdiff_t(keep));
      PluginDib dib;
      EXPECT_FALSE(Decode(cut, &dib)) << options << ", " << keep << " of " << webp.size() << " bytes";
    }
  }
}

TEST(WebpCore, LyingRiffSizesAreRefused) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const Bytes webp = Encoded(dir, OpaqueSource(dir), "-lossless");
  ASSERT_GT(webp.size(), 64u);
  for (uint32_t riff_size : {uint32_t(webp.size()), uint32_t(webp.size() + 1000), 0xFFFFFFF0u,
                             uint32_t(4), uint32_t(12), uint32_t(webp.size() / 2)}) {
    Bytes lying = webp;
    StoreU32(&lying, 4, riff_size);
    PluginDib dib;
    EXPECT_FALSE(Decode(lying, &dib)) << "RIFF size " << riff_size << " for " << webp.size() << " bytes";
  }
}

TEST(WebpCore, PicturesBeyondThePixelLimitAreRefused) {
  REQUIRE_WEBP_TOOLS();
  TempDir dir;
  const Bytes webp = Encoded(dir, OpaqueSource(dir), "-lossless");
  ASSERT_GT(webp.size(), 20u);
  // The picture's own chunk behind an extended header that claims a canvas
  // of 20000 x 20000.
  const Bytes image_chunk(webp.begin() + 12, webp.end());
  Bytes extended = {0, 0, 0, 0};
  for (uint32_t side : {20000u - 1, 20000u - 1}) extended.insert(extended.end(), {uint8_t(side), uint8_t(side >> 8), uint8_t(side >> 16)});
  Bytes chunks = Chunk("VP8X", extended);
  chunks.insert(chunks.end(), image_chunk.begin(), image_chunk.end());
  PluginDib dib;
  EXPECT_FALSE(Decode(Riff(chunks), &dib));
}

TEST(WebpCore, HugeLosslessClaimsWithoutPixelsAreRefused) {
  // 16383 x 16383, within the limit, then nothing behind the header.
  Bytes header(64, 0x55);
  for (size_t i = 0; i < 5; ++i) header[i] = "\x2F\xFF\xFF\xFF\x0F"[i];
  PluginDib dib;
  EXPECT_FALSE(Decode(Riff(Chunk("VP8L", header)), &dib));
  EXPECT_TRUE(dib.bits.empty());
}

TEST(WebpCore, AnimationsAreRefused) {
  REQUIRE_WEBP_TOOLS();
  if (!HasTool(kImg2webp)) GTEST_SKIP() << "img2webp missing";
  TempDir dir;
  const std::string first = OpaqueSource(dir), second = TranslucentSource(dir);
  const std::string anim = dir.File("anim.webp");
  ASSERT_TRUE(RunTool(kImg2webp, "-q 2 -lossless " + first + " " + second + " -o " + anim + " >/dev/null 2>&1"));
  PluginDib dib;
  EXPECT_FALSE(Decode(ReadWholeFile(anim), &dib));
}

TEST(WebpCore, EmptyInputIsRefused) {
  PluginDib dib;
  EXPECT_FALSE(WebpCore().decode(nullptr, 0, &dib));
  const uint8_t riff[12] = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'E', 'B', 'P'};
  EXPECT_FALSE(WebpCore().decode(riff, sizeof riff, &dib));
}

}  // namespace
