// The tiffx plug-in core against ImageMagick: files it writes with each
// compression, predictor, layout, depth and colour model must decode to the
// pixels ImageMagick itself reads from them (alpha laid over white), and
// files broken in their offsets, counts, streams or sizes must be refused.
#include "plugins/tiffx/tiffx_core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/little_endian.h"
#include "image/win_records.h"
#include "plugins/tiffx/tiffx_lzw.h"
#include "plugins/tiffx/tiffx_packbits.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kTiffinfo = "/usr/bin/tiffinfo";
constexpr const char* kTiffset = "/usr/bin/tiffset";

// Not a multiple of the 64-pixel tiles, so edge tiles are cropped; noisy
// enough in places that an LZW table fills and is cleared.
constexpr int kWidth = 150;
constexpr int kHeight = 90;

uint8_t Noise(int x, int y, int channel) {
  uint32_t v = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ uint32_t(channel) * 83492791u;
  v ^= v >> 13;
  v *= 0x5bd1e995u;
  return uint8_t(v >> 24);
}

// Smooth bands above, noise below.
uint8_t Channel(int x, int y, int channel) {
  if (y < kHeight / 2) return uint8_t(x * (channel + 1) + y * 3);
  return Noise(x, y, channel);
}

// Alpha from clear to opaque across the picture, with both ends present.
uint8_t Alpha(int x, int y) { return x < 8 ? 0 : x > 140 ? 255 : uint8_t((x * 2 + y) % 256); }

// 16-bit samples, most significant byte first, with low bytes of their
// own, so that a 16-bit file whose bytes are swapped shows.
Bytes SourceRgba() {
  Bytes rgba;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t high[] = {Channel(x, y, 0), Channel(x, y, 1), Channel(x, y, 2), Alpha(x, y)};
      for (int c = 0; c < 4; ++c) rgba.insert(rgba.end(), {high[c], Noise(x, y, c + 4)});
    }
  }
  return rgba;
}

// The picture, top row first, as red, green and blue bytes.
Bytes DibRgb(const PluginDib& dib) {
  DibHeader h;
  std::memcpy(&h, dib.info.data(), sizeof(h));
  const RgbQuad* palette = reinterpret_cast<const RgbQuad*>(dib.info.data() + sizeof(DibHeader));
  const size_t stride = (size_t(h.width) * h.bit_count / 8 + 3) / 4 * 4;
  Bytes rgb;
  for (int y = h.height - 1; y >= 0; --y) {
    const uint8_t* row = dib.bits.data() + size_t(y) * stride;
    for (int x = 0; x < h.width; ++x) {
      if (h.bit_count == 24) {
        rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
      } else {
        const RgbQuad& q = palette[row[x]];
        rgb.insert(rgb.end(), {q.red, q.green, q.blue});
      }
    }
  }
  return rgb;
}

DibHeader HeaderOf(const PluginDib& dib) {
  DibHeader h;
  std::memcpy(&h, dib.info.data(), sizeof(h));
  return h;
}

// What ImageMagick reads from the file, laid over white, at 16 bits: the
// high byte of each sample is what the plug-in shows.
Bytes ImageMagickOverWhite(const TempDir& dir, const std::string& file) {
  const std::string raw = dir.File("decoded.rgb");
  const std::string options = " -background white -alpha remove -alpha off -depth 16 -endian MSB rgb:";
  if (!RunTool(kConvert, file + options + raw)) return {};
  const Bytes wide = ReadWholeFile(raw);
  Bytes high;
  for (size_t i = 0; i < wide.size(); i += 2) high.push_back(wide[i]);
  return high;
}

// How many samples differ by more than `tolerance`, and where the first is.
std::string Differences(const Bytes& ours, const Bytes& theirs, int tolerance) {
  if (ours.size() != theirs.size()) {
    return "sizes " + std::to_string(ours.size()) + " and " + std::to_string(theirs.size());
  }
  size_t count = 0;
  size_t first = 0;
  for (size_t i = 0; i < ours.size(); ++i) {
    if (std::abs(int(ours[i]) - int(theirs[i])) > tolerance && count++ == 0) first = i;
  }
  if (count == 0) return {};
  std::string text = std::to_string(count);
  text.append(" samples differ, the first at pixel ").append(std::to_string(first / 3));
  text.append(": ").append(std::to_string(ours[first])).append(" and ").append(std::to_string(theirs[first]));
  return text;
}

struct Case {
  const char* what;
  const char* source;   // "rgb", "rgba", "grey" or "greya"
  std::string options;  // for convert, between the source and the file
  std::vector<const char*> tiffinfo;  // what tiffinfo must report
  bool differencing;  // whether tiffinfo must report the predictor
  int bit_count;
  // Alpha is weighed in ImageMagick's own arithmetic, and from 16-bit
  // samples by ImageMagick but from their high bytes by the plug-in.
  int tolerance;
  char order = 'I';    // the header's first byte
  std::string tiffset;  // tiffset's options for the made file, when any
};

std::vector<Case> Cases() {
  const std::string tiles = " -define tiff:tile-geometry=64x64";
  const std::string predictor = " -define tiff:predictor=2";
  const std::string plain = " -define tiff:predictor=1";  // ImageMagick differences some files of its own accord
  const std::string strips7 = " -define tiff:rows-per-strip=7";
  const std::string rgb8 = "-type TrueColor -depth 8";
  const std::string rgba8 = "-type TrueColorAlpha -depth 8";
  const std::string grey8 = "-type Grayscale -depth 8";
  return {
      {"LZW RGB", "rgb", rgb8 + " -compress LZW" + plain, {"LZW"}, false, 24, 0},
      {"LZW RGB, predictor", "rgb", rgb8 + " -compress LZW" + predictor, {"LZW"}, true, 24, 0},
      {"LZW RGB 16-bit, predictor, strips of 7", "rgb", "-type TrueColor -depth 16 -compress LZW" + predictor + strips7,
       {"LZW", "Bits/Sample: 16", "Rows/Strip: 7"}, true, 24, 0},
      {"LZW RGB 16-bit", "rgb", "-type TrueColor -depth 16 -compress LZW" + plain, {"LZW", "Bits/Sample: 16"}, false, 24, 0},
      {"LZW RGB in separate planes", "rgb", rgb8 + " -interlace Plane -compress LZW" + plain,
       {"LZW", "separate image planes"}, false, 24, 0},
      {"LZW RGB in separate planes, predictor, tiles", "rgb", rgb8 + " -interlace Plane -compress LZW" + predictor + tiles,
       {"LZW", "separate image planes", "Tile Width: 64"}, true, 24, 0},
      {"PackBits RGB, strips of 7", "rgb", rgb8 + " -compress RLE" + strips7, {"PackBits", "Rows/Strip: 7"}, false, 24, 0},
      {"PackBits RGB, tiles", "rgb", rgb8 + " -compress RLE" + tiles, {"PackBits", "Tile Width: 64"}, false, 24, 0},
      {"Deflate RGB", "rgb", rgb8 + " -compress Zip" + plain, {"Deflate"}, false, 24, 0},
      {"Deflate RGB, predictor, tiles", "rgb", rgb8 + " -compress Zip" + predictor + tiles,
       {"Deflate", "Tile Width: 64"}, true, 24, 0},
      {"Deflate RGB 16-bit big-endian, predictor, tiles", "rgb",
       "-type TrueColor -depth 16 -define tiff:endian=msb -compress Zip" + predictor + tiles,
       {"Deflate", "Bits/Sample: 16", "Tile Width: 64"}, true, 24, 0, 'M'},
      {"LZW RGB 16-bit big-endian, predictor", "rgb",
       "-type TrueColor -depth 16 -define tiff:endian=msb -compress LZW" + predictor,
       {"LZW", "Bits/Sample: 16"}, true, 24, 0, 'M'},
      {"uncompressed RGB in tiles", "rgb", rgb8 + " -compress None" + tiles, {"None", "Tile Width: 64"}, false, 24, 0},
      {"LZW RGBA unassociated, strips of 7", "rgba", rgba8 + " -compress LZW" + strips7,
       {"LZW", "unassoc-alpha"}, true, 24, 1},
      {"LZW RGBA associated", "rgba", rgba8 + " -define tiff:alpha=associated -compress LZW" + plain,
       {"LZW", "assoc-alpha"}, false, 24, 1},
      {"PackBits RGBA, tiles", "rgba", rgba8 + " -compress RLE" + tiles, {"PackBits", "unassoc-alpha"}, false, 24, 1},
      {"Deflate RGBA 16-bit, predictor, tiles", "rgba", "-type TrueColorAlpha -depth 16 -compress Zip" + predictor + tiles,
       {"Deflate", "unassoc-alpha", "Bits/Sample: 16", "Tile Width: 64"}, true, 24, 2},
      {"LZW grey", "grey", grey8 + " -compress LZW" + plain, {"LZW", "min-is-black"}, false, 8, 0},
      {"LZW grey, predictor, tiles", "grey", grey8 + " -compress LZW" + predictor + tiles,
       {"LZW", "Tile Width: 64"}, true, 8, 0},
      {"PackBits grey 16-bit", "grey", "-type Grayscale -depth 16 -compress RLE", {"PackBits", "Bits/Sample: 16"}, false, 8, 0},
      {"Deflate grey 16-bit, predictor", "grey", "-type Grayscale -depth 16 -compress Zip" + predictor,
       {"Deflate", "Bits/Sample: 16"}, true, 8, 0},
      {"Deflate grey turned min-is-white", "grey", grey8 + " -compress Zip" + plain, {"Deflate", "min-is-white"}, false, 8,
       0, 'I', "-s 262 0"},
      {"LZW grey with alpha", "greya", "-type GrayscaleAlpha -depth 8 -compress LZW", {"LZW", "unassoc-alpha"}, true, 8,
       1},
      {"LZW bilevel", "grey", "-type Bilevel -depth 1 -compress LZW", {"LZW", "Bits/Sample: 1"}, false, 8, 0},
      {"LZW palette", "rgb", "-type Palette -compress LZW" + plain, {"LZW", "palette"}, false, 8, 0},
      {"PackBits palette of 16 colours", "rgb", "-type Palette -colors 16 -depth 4 -compress RLE",
       {"PackBits", "palette", "Bits/Sample: 4"}, false, 8, 0},
      {"Deflate palette, tiles", "rgb", "-type Palette -compress Zip" + plain + tiles,
       {"Deflate", "palette", "Tile Width: 64"}, false, 8, 0},
  };
}

bool HasTools() { return HasImageMagick() && HasTool(kTiffinfo) && HasTool(kTiffset); }

// The source as a raw file ImageMagick reads, and its arguments.
std::string WriteSource(const TempDir& dir, const std::string& kind) {
  const std::string size =
      "-endian MSB -size " + std::to_string(kWidth) + "x" + std::to_string(kHeight) + " -depth 16 ";
  const std::string file = dir.Write("source.rgba", SourceRgba());
  if (kind == "rgba") return size + "rgba:" + file;
  if (kind == "greya") return size + "rgba:" + file + " -colorspace Gray";
  if (kind == "rgb") return size + "rgba:" + file + " -alpha off";
  return size + "rgba:" + file + " -alpha off -colorspace Gray";
}

Bytes MakeTiff(const TempDir& dir, const Case& c) {
  const std::string file = dir.File("made.tif");
  if (!RunTool(kConvert, WriteSource(dir, c.source) + " " + c.options + " " + file)) return {};
  if (!c.tiffset.empty() && !RunTool(kTiffset, c.tiffset + " " + file)) return {};
  return ReadWholeFile(file);
}

TEST(TiffxCoreTest, DecodesWhatImageMagickWritesAsImageMagickReadsIt) {
  if (!HasTools()) GTEST_SKIP() << "ImageMagick or libtiff's tools are not installed";
  for (const Case& c : Cases()) {
    TempDir dir;
    const Bytes tiff = MakeTiff(dir, c);
    ASSERT_FALSE(tiff.empty()) << c.what;
    const std::string info = CommandOutput(ToolCommand(kTiffinfo, dir.File("made.tif")));
    EXPECT_EQ(info.find("horizontal differencing") != std::string::npos, c.differencing) << c.what;
    for (const char* expected : c.tiffinfo) {
      EXPECT_NE(info.find(expected), std::string::npos) << c.what << ": tiffinfo lacks " << expected << "\n" << info;
    }
    EXPECT_EQ(char(tiff[0]), c.order) << c.what;
    ASSERT_TRUE(TiffxCore().accepts(tiff.data(), tiff.size())) << c.what;
    PluginDib dib;
    ASSERT_TRUE(TiffxCore().decode(tiff.data(), tiff.size(), &dib)) << c.what;
    const DibHeader h = HeaderOf(dib);
    EXPECT_EQ(h.width, kWidth) << c.what;
    EXPECT_EQ(h.height, kHeight) << c.what;
    EXPECT_EQ(h.bit_count, c.bit_count) << c.what;
    EXPECT_EQ(h.compression, 0u) << c.what;
    const Bytes theirs = ImageMagickOverWhite(dir, dir.File("made.tif"));
    ASSERT_FALSE(theirs.empty()) << c.what;
    EXPECT_EQ(Differences(DibRgb(dib), theirs, c.tolerance), "") << c.what;
  }
}

TEST(TiffxCoreTest, AnnouncesItselfAndKnowsTheSignatures) {
  const SpiImageCore& core = TiffxCore();
  ASSERT_EQ(core.info_count, 4u);
  EXPECT_EQ(std::string(core.info[0]).substr(0, 4), "00IN");
  EXPECT_STREQ(core.info[2], "*.tif;*.tiff");
  const uint8_t little[] = {'I', 'I', 42, 0, 8, 0, 0, 0};
  const uint8_t big[] = {'M', 'M', 0, 42, 0, 0, 0, 8};
  const uint8_t bigtiff[] = {'I', 'I', 43, 0, 8, 0, 0, 0};
  EXPECT_TRUE(core.accepts(little, sizeof(little)));
  EXPECT_TRUE(core.accepts(big, sizeof(big)));
  EXPECT_FALSE(core.accepts(bigtiff, sizeof(bigtiff)));
  EXPECT_FALSE(core.accepts(little, 3));
}

// --- hostile files ---------------------------------------------------------

// A little-endian TIFF made by hand: one directory of SHORT and LONG
// entries at offset 8, then the given strip data.
struct Entry {
  uint16_t tag;
  uint16_t type;
  uint32_t value;
};

Bytes HandMade(const std::vector<Entry>& entries, const Bytes& strip) {
  Bytes file = {'I', 'I', 42, 0, 8, 0, 0, 0};
  const uint32_t strip_offset = uint32_t(8 + 2 + 12 * entries.size() + 4);
  file.resize(strip_offset);
  StoreU16(uint16_t(entries.size()), &file[8]);
  for (size_t i = 0; i < entries.size(); ++i) {
    uint8_t* p = &file[10 + 12 * i];
    StoreU16(entries[i].tag, p);
    StoreU16(entries[i].type, p + 2);
    StoreU32(1, p + 4);
    // Tag 273 with value 0 stands for "where the strip is".
    const uint32_t value = entries[i].tag == 273 && entries[i].value == 0 ? strip_offset : entries[i].value;
    if (entries[i].type == 3) {
      StoreU16(uint16_t(value), p + 8);
    } else {
      StoreU32(value, p + 8);
    }
  }
  file.insert(file.end(), strip.begin(), strip.end());
  return file;
}

constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;

std::vector<Entry> GreyEntries(uint32_t width, uint32_t height, uint32_t compression, uint32_t strip_bytes) {
  return {{256, kLong, width}, {257, kLong, height}, {258, kShort, 8}, {259, kShort, compression},
          {262, kShort, 1},    {273, kLong, 0},      {277, kShort, 1}, {278, kLong, height},
          {279, kLong, strip_bytes}};
}

bool Decodes(const Bytes& file) {
  PluginDib dib;
  const bool ok = TiffxCore().decode(file.data(), file.size(), &dib);
  if (!ok) {
    EXPECT_TRUE(dib.info.empty() && dib.bits.empty());
  }
  return ok;
}

TEST(TiffxCoreTest, HandMadeFileDecodes) {
  // PackBits: three 9s, then 1 2 3 as they are, for a 3x2 picture.
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  PluginDib dib;
  const Bytes file = HandMade(GreyEntries(3, 2, 32773, uint32_t(strip.size())), strip);
  ASSERT_TRUE(TiffxCore().decode(file.data(), file.size(), &dib));
  const DibHeader h = HeaderOf(dib);
  EXPECT_EQ(h.bit_count, 8);
  EXPECT_EQ(h.clr_used, 256u);
  ASSERT_EQ(dib.bits.size(), 8u);
  EXPECT_EQ(Bytes(dib.bits.begin(), dib.bits.begin() + 3), (Bytes{1, 2, 3}));  // the bottom row comes first
  EXPECT_EQ(Bytes(dib.bits.begin() + 4, dib.bits.begin() + 7), (Bytes{9, 9, 9}));
}

TEST(TiffxCoreTest, RefusesSizesBeyondThePixelLimit) {
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(65535, 65535, 32773, 6), strip)));
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(0x40000000, 1, 32773, 6), strip)));
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(0, 2, 32773, 6), strip)));
}

TEST(TiffxCoreTest, RefusesAClaimItsBytesCannotBack) {
  // 16000 x 16000 is within the pixel limit, but six bytes of PackBits or
  // LZW can never fill it: refused before any bitmap is made.
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(16000, 16000, 32773, 6), strip)));
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(16000, 16000, 5, 6), strip)));
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(16000, 16000, 8, 6), strip)));
  EXPECT_FALSE(Decodes(HandMade(GreyEntries(16000, 16000, 1, 6), strip)));
}

TEST(TiffxCoreTest, RefusesStripsOutsideTheFile) {
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  std::vector<Entry> entries = GreyEntries(3, 2, 32773, 6);
  const Bytes good = HandMade(entries, strip);
  ASSERT_TRUE(Decodes(good));
  entries[8].value = 7;  // one byte more than the file has
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
  entries[8].value = 6;
  entries[5].value = uint32_t(good.size());  // starts at the end
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
  entries[5].value = 0xFFFFFFFF;
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
}

TEST(TiffxCoreTest, RefusesAStripThatEndsEarly) {
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  std::vector<Entry> entries = GreyEntries(3, 2, 32773, 4);  // the literal run is cut
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
  entries[3].value = 1;  // uncompressed, yet six bytes for six pixels are asked from four
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
}

TEST(TiffxCoreTest, RefusesMissingOrShortChunkArrays) {
  const Bytes strip = {0xFE, 9, 0x02, 1, 2, 3};
  std::vector<Entry> entries = GreyEntries(3, 2, 32773, 6);
  entries[7].value = 1;  // two strips of a row each, but one offset
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
  entries = GreyEntries(3, 2, 32773, 6);
  entries.pop_back();  // no byte counts
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
  entries = GreyEntries(3, 2, 7, 6);  // JPEG
  EXPECT_FALSE(Decodes(HandMade(entries, strip)));
}

TEST(TiffxCoreTest, RefusesBrokenImageMagickFiles) {
  if (!HasTools()) GTEST_SKIP() << "ImageMagick or libtiff's tools are not installed";
  TempDir dir;
  const Bytes tiff = MakeTiff(dir, Cases()[0]);
  ASSERT_TRUE(Decodes(tiff));
  for (size_t keep : {tiff.size() / 2, size_t(8), size_t(7), size_t(0)}) {
    EXPECT_FALSE(Decodes(Bytes(tiff.begin(), tiff.begin() + keep))) << keep;
  }
  // The directory is where its offset says; pointing it past the end.
  Bytes moved = tiff;
  StoreU32(uint32_t(tiff.size()), &moved[4]);
  EXPECT_FALSE(Decodes(moved));
  // The compressed bytes of the strips turned into noise: whatever that
  // decodes to, it is a whole picture or nothing.
  const uint32_t directory = LoadU32(&tiff[4]);
  Bytes noisy = tiff;
  for (uint32_t i = 8; i < directory; ++i) noisy[i] = uint8_t(i * 131 + 7);
  PluginDib dib;
  if (TiffxCore().decode(noisy.data(), noisy.size(), &dib)) {
    EXPECT_EQ(dib.bits.size(), size_t(kWidth * 3 + 2) * kHeight);
  }
}

// --- the decompressors on their own -----------------------------------------

TEST(TiffxCoreTest, PackBitsDecodesTheTiffExample) {
  const Bytes packed = {0xFE, 0xAA, 0x02, 0x80, 0x00, 0x2A, 0xFD, 0xAA, 0x03, 0x80, 0x00, 0x2A, 0x22, 0xF7, 0xAA};
  const Bytes expected = {0xAA, 0xAA, 0xAA, 0x80, 0x00, 0x2A, 0xAA, 0xAA, 0xAA, 0xAA, 0x80, 0x00,
                          0x2A, 0x22, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  Bytes out(expected.size() + 4, 0x55);
  EXPECT_EQ(DecodePackBits(packed.data(), packed.size(), out.data(), expected.size()), expected.size());
  EXPECT_EQ(Bytes(out.begin(), out.begin() + expected.size()), expected);
  EXPECT_EQ(Bytes(out.end() - 4, out.end()), Bytes(4, 0x55));  // nothing past the end
  EXPECT_EQ(DecodePackBits(packed.data(), packed.size(), out.data(), 5), 5u);
}

// LZW codes of the given widths, most or least significant bit first.
Bytes PackedCodes(const std::vector<std::pair<uint32_t, int>>& codes, bool lsb_first) {
  Bytes out;
  uint64_t bits = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    bits = lsb_first ? bits | (uint64_t{code} << count) : (bits << width) | code;
    count += width;
    while (count >= 8) {
      count -= 8;
      if (lsb_first) {
        out.push_back(uint8_t(bits));
        bits >>= 8;
      } else {
        out.push_back(uint8_t(bits >> count));
      }
    }
  }
  if (count > 0) out.push_back(lsb_first ? uint8_t(bits) : uint8_t(bits << (8 - count)));
  return out;
}

Bytes NineBitCodes(const std::vector<uint32_t>& codes) {
  std::vector<std::pair<uint32_t, int>> sized;
  for (uint32_t code : codes) sized.push_back({code, 9});
  return PackedCodes(sized, false);
}

TEST(TiffxCoreTest, LzwDecodesCodesTheTableGrowsInto) {
  // Clear, 'a', 'b', 258 ("ab"), 260 ("aba": the code made by this very step), end.
  const Bytes data = NineBitCodes({256, 'a', 'b', 258, 260, 257});
  Bytes out(16, 0);
  ASSERT_EQ(DecodeTiffLzw(data.data(), data.size(), out.data(), out.size()), 7u);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 7), "abababa");
  Bytes small(5, 0x55);
  EXPECT_EQ(DecodeTiffLzw(data.data(), data.size(), small.data(), 3), 3u);
  EXPECT_EQ(Bytes(small.begin() + 3, small.end()), Bytes(2, 0x55));
  // A code the table cannot hold yet ends the data.
  const Bytes bad = NineBitCodes({256, 'a', 300, 'b'});
  EXPECT_EQ(DecodeTiffLzw(bad.data(), bad.size(), out.data(), out.size()), 1u);
}

// 400 single bytes after a clear code: every code but the first adds an
// entry, so the codes widen to 10 bits one code earlier in the current
// style (the 255th byte) than in the old (the 256th).
void ExpectWideningAt(size_t first_wide, bool old_style) {
  std::vector<std::pair<uint32_t, int>> codes = {{256, 9}};
  Bytes expected;
  for (size_t i = 0; i < 400; ++i) {
    expected.push_back(uint8_t(i * 7));
    codes.push_back({uint32_t(expected.back()), i >= first_wide ? 10 : 9});
  }
  codes.push_back({257, 10});
  const Bytes data = PackedCodes(codes, old_style);
  Bytes out(500, 0);
  ASSERT_EQ(DecodeTiffLzw(data.data(), data.size(), out.data(), out.size()), expected.size()) << old_style;
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 400), expected) << old_style;
}

TEST(TiffxCoreTest, LzwWidensCodesEarlyButNotInTheOldStyle) {
  ExpectWideningAt(254, false);
  ExpectWideningAt(255, true);
}

}  // namespace
