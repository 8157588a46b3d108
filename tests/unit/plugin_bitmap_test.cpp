// A plug-in's bitmap taken into an image record: which depths are taken,
// how packed indices spread out, and that short blocks never read past
// their end.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "codecs/plugin_bitmap.h"

namespace {

std::vector<uint8_t> Info(int32_t width, int32_t height, uint16_t bit_count, uint32_t compression = 0,
                          int colours = 0) {
  DibHeader h = {40, width, height, 1, bit_count, compression, 0, 2835, 2835, 0, 0};
  std::vector<uint8_t> info(40 + 4 * size_t(colours));
  std::memcpy(info.data(), &h, 40);
  for (int i = 0; i < colours; ++i) info[40 + 4 * i] = uint8_t(10 * i);  // blue ramp
  return info;
}

struct Taken {
  OwnedImage image;
  Status status;
  Taken(const std::vector<uint8_t>& info, const std::vector<uint8_t>& bits, int depth = 0)
      : status(TakePluginBitmap(info.data(), info.size(), bits.data(), bits.size(), depth,
                                &image.record)) {}
  uint8_t At(int x, int row) const {
    return image.record.pixels[RowStride(image.record.header.width, 8) * row + x];
  }
};

TEST(PluginBitmap, OneAndFourBitRowsSpreadToAnIndexAByteMostSignificantFirst) {
  // 10 pixels of 1 bit: two bytes of bits, padded to 4 per row.
  Taken one(Info(10, 2, 1, 0, 2), {0xA5, 0xC0, 0, 0, 0x0F, 0x00, 0, 0});
  ASSERT_EQ(one.status, Status::kOk);
  EXPECT_EQ(one.image.record.header.bit_count, 8);
  EXPECT_EQ(one.image.record.source_bits_per_pixel, 1u);
  EXPECT_EQ(one.image.record.source_format, kSourcePlugin);
  const uint8_t row0[10] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 1};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(one.At(x, 0), row0[x]) << x;
  EXPECT_EQ(one.At(4, 1), 1);
  EXPECT_EQ(one.At(3, 1), 0);
  EXPECT_EQ(one.image.record.palette[1].blue, 10);

  Taken four(Info(3, 1, 4, 0, 16), {0x3F, 0x70, 0, 0}, 4);
  ASSERT_EQ(four.status, Status::kOk);
  EXPECT_EQ(four.At(0, 0), 3);
  EXPECT_EQ(four.At(1, 0), 15);
  EXPECT_EQ(four.At(2, 0), 7);
  // A row missing from the block is not made up.
  EXPECT_EQ(Taken(Info(10, 2, 1), {0xA5, 0xC0, 0, 0, 0x0F}).status, Status::kCorrupt);
}

TEST(PluginBitmap, EightAndTwentyFourBitRowsAreCopiedAsFarAsTheBlockGoes) {
  Taken full(Info(2, 2, 24), {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}, 32);
  ASSERT_EQ(full.status, Status::kOk);
  EXPECT_EQ(full.image.record.header.bit_count, 24);
  EXPECT_EQ(full.image.record.source_bits_per_pixel, 32u);  // what the plug-in says the file held
  EXPECT_EQ(full.image.record.pixels[8], 7);
  Taken short_block(Info(2, 2, 8), {9, 8});
  ASSERT_EQ(short_block.status, Status::kOk);
  EXPECT_EQ(short_block.image.record.pixels[1], 8);
  EXPECT_EQ(short_block.image.record.pixels[4], 0);  // beyond the block: left zero
}

TEST(PluginBitmap, OtherDepthsCompressedBitmapsAndEmptySizesAreRefused) {
  const std::vector<uint8_t> bits(64);
  for (uint16_t depth : {2, 16, 32}) EXPECT_EQ(Taken(Info(2, 2, depth), bits).status, Status::kUnsupported) << depth;
  EXPECT_EQ(Taken(Info(2, 2, 8, 1), bits).status, Status::kUnsupported);
  EXPECT_EQ(Taken(Info(0, 2, 8), bits).status, Status::kUnsupported);
  EXPECT_EQ(Taken(Info(2, -2, 8), bits).status, Status::kUnsupported);
  const std::vector<uint8_t> header_only(30);
  EXPECT_EQ(Taken(header_only, bits).status, Status::kUnsupported);
  Taken refused(Info(2, 2, 16), bits);
  EXPECT_EQ(refused.image.record.pixels, nullptr);
}

}  // namespace
