#include "codecs/packed_dib.h"

#include <gtest/gtest.h>

#include "codecs/bmp_reader.h"
#include "image/page_memory_posix.h"
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

// Clipboard blocks come from any program, and their header may promise far
// more rows than the block holds. Such a bitmap is refused before any pixel
// memory is taken, exactly as the same bytes in a BMP file are.
TEST(PackedDib, RowsTheBlockDoesNotHoldAreRefusedBeforeAllocating) {
  for (uint16_t bits : {1, 4, 8, 24}) {
    BmpFile huge;  // the header alone, claiming 2.7 GB of pixels at 24 bits
    huge.width = 30000, huge.height = 30000, huge.bits = bits;
    BmpFile short_by_a_row;  // everything but the top row
    short_by_a_row.width = 3, short_by_a_row.height = 2, short_by_a_row.bits = bits;
    if (bits <= 8) short_by_a_row.palette = std::vector<uint8_t>(4u << bits, 0x40);
    short_by_a_row.pixels = std::vector<uint8_t>(bits == 24 ? 12 : 4, 1);
    for (const BmpFile& f : {huge, short_by_a_row}) {
      const std::vector<uint8_t> file = f.Bytes();
      const std::vector<uint8_t> packed = Packed(f);
      const uint64_t requested = PageBytesRequested();
      ImageBuffer image{};
      EXPECT_EQ(ReadPackedDib(packed.data(), packed.size(), &image), Status::kReadFailed)
          << bits << " bits, " << f.width << " x " << f.height;
      EXPECT_EQ(image.pixels, nullptr);
      EXPECT_EQ(ReadBmpBytes(file.data(), file.size(), &image), Status::kReadFailed) << bits;
      EXPECT_EQ(PageBytesRequested(), requested)
          << bits << " bits, " << f.width << " x " << f.height << ": pixel memory was taken";
      ReleasePixels(&image);
    }
  }
}

}  // namespace
