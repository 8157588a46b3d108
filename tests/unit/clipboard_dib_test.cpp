#include "image/clipboard_dib.h"

#include <gtest/gtest.h>

#include <vector>

#include "codecs/packed_dib.h"

namespace {

TEST(ClipboardDib, PaletteImageRoundTripsThroughTheClipboardLayout) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 3, 2, 8), Status::kOk);
  image.header.x_pels_per_meter = 2835;
  for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(255 - i), 7, 0};
  RowFromTop(image, 0)[2] = 200;
  RowFromTop(image, 1)[0] = 3;

  std::vector<uint8_t> dib(PackedDibBytes(image));
  ASSERT_EQ(dib.size(), 40u + 1024u + 8u);  // rows padded to 4 bytes
  PackDib(image, dib.data());
  EXPECT_EQ(dib[0], 40);
  EXPECT_EQ(dib[14], 8);   // bit count
  EXPECT_EQ(dib[16], 0);   // uncompressed
  EXPECT_EQ(dib[32], 0);   // colours used 0: the whole table follows

  ImageBuffer back{};
  ResetImageBuffer(&back);
  ASSERT_EQ(ReadPackedDib(dib.data(), dib.size(), &back), Status::kOk);
  EXPECT_EQ(back.header.width, 3);
  EXPECT_EQ(RowFromTop(back, 0)[2], 200);
  EXPECT_EQ(RowFromTop(back, 1)[0], 3);
  EXPECT_EQ(back.palette[200].green, 55);
  EXPECT_EQ(back.header.x_pels_per_meter, 2835);
  ReleasePixels(&image);
  ReleasePixels(&back);
}

TEST(ClipboardDib, TrueColourHasNoTableAndNothingWithoutPixels) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  EXPECT_EQ(PackedDibBytes(image), 0u);
  ASSERT_EQ(AllocatePixels(&image, 5, 1, 24), Status::kOk);
  EXPECT_EQ(PackedDibBytes(image), 40u + 16u);
  ReleasePixels(&image);
}

}  // namespace
