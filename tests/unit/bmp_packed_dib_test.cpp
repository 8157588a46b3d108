#include "codecs/packed_dib.h"

#include <gtest/gtest.h>

#include "tests/unit/bmp_test_support.h"

namespace {

// The clipboard's form of a file: everything behind the 14-byte file header.
std::vector<uint8_t> Packed(const BmpFile& file) {
  std::vector<uint8_t> bytes = file.Bytes();
  return std::vector<uint8_t>(bytes.begin() + 14, bytes.end());
}

TEST(PackedDib, TheColourTableIsAlwaysTheWholeTable) {
  BmpFile f;
  f.width = 2, f.bits = 8, f.colours_used = 2;  // says 2, but 256 entries are there
  std::vector<uint8_t> palette(1024);
  palette[4 * 200 + 1] = 0x80;  // entry 200: green
  f.palette = palette;
  f.pixels = {200, 0, 0, 0};
  std::vector<uint8_t> bytes = Packed(f);
  ImageBuffer image{};
  ASSERT_EQ(ReadPackedDib(bytes.data(), bytes.size(), &image), Status::kOk);
  EXPECT_EQ(PixelRgb(image, 0, 0), 0x008000u);
  EXPECT_EQ(image.source_format, kSourceBmp);
  EXPECT_EQ(image.source_size, 54u + 1024 + 4);
  ReleasePixels(&image);
}

TEST(PackedDib, MasksFollowTheHeader) {
  BmpFile f;
  f.width = 1, f.bits = 16, f.compression = 3;
  f.masks = Masks(0xF800, 0x07E0, 0x001F);
  f.pixels = {0x00, 0xF8, 0, 0};
  std::vector<uint8_t> bytes = Packed(f);
  ImageBuffer image{};
  ASSERT_EQ(ReadPackedDib(bytes.data(), bytes.size(), &image), Status::kOk);
  EXPECT_EQ(PixelRgb(image, 0, 0), 0xFF0000u);
  EXPECT_EQ(image.source_size, 54u + 12 + 4);

  // Rows the clipboard memory does not hold.
  f.height = 3;
  bytes = Packed(f);
  EXPECT_EQ(ReadPackedDib(bytes.data(), bytes.size(), &image), Status::kReadFailed);
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(ReadPackedDib(bytes.data(), 39, &image), Status::kReadFailed);
  f.height = -1;
  bytes = Packed(f);
  EXPECT_EQ(ReadPackedDib(bytes.data(), bytes.size(), &image), Status::kUnsupported);
}

}  // namespace
