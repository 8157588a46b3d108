#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ImageBuffer, RowStridesPadToFourBytes) {
  EXPECT_EQ(RowStride(1000, 8), 1000u);
  EXPECT_EQ(RowStride(1001, 8), 1004u);
  EXPECT_EQ(RowStride(1001, 24), 3004u);
  EXPECT_EQ(RowStride(1, 8), 4u);
  EXPECT_EQ(RowStride(1, 24), 4u);
  EXPECT_EQ(RowStride(4, 24), 12u);
  EXPECT_EQ(RowStride(5, 24), 16u);
}

TEST(ImageBuffer, PixelBlockMustFitThirtyTwoBits) {
  uint32_t bytes = 0;
  ASSERT_TRUE(PixelBlockBytes(1001, 3, 24, &bytes));
  EXPECT_EQ(bytes, 3004u * 3);
  // 65535 x 65535 at 8 bits: stride 65536, 4 GiB - 64 KiB still fits.
  ASSERT_TRUE(PixelBlockBytes(65535, 65535, 8, &bytes));
  EXPECT_EQ(bytes, 65536u * 65535u);
  EXPECT_FALSE(PixelBlockBytes(65536, 65536, 8, &bytes));
  EXPECT_FALSE(PixelBlockBytes(INT32_MAX, INT32_MAX, 24, &bytes));
  EXPECT_FALSE(PixelBlockBytes(0, 10, 8, &bytes));
  EXPECT_FALSE(PixelBlockBytes(10, -1, 8, &bytes));
  EXPECT_FALSE(PixelBlockBytes(10, 10, 32, &bytes));  // only 8 and 24 are stored
}

TEST(ImageBuffer, AllocationFillsHeaderAndZeroedPixels) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 33, 7, 24), Status::kOk);
  EXPECT_EQ(image.header.size, 40u);
  EXPECT_EQ(image.header.width, 33);
  EXPECT_EQ(image.header.height, 7);
  EXPECT_EQ(image.header.planes, 1);
  EXPECT_EQ(image.header.bit_count, 24);
  EXPECT_EQ(image.header.compression, 0u);
  EXPECT_EQ(Stride(image), 100u);
  // The whole block plus the 4 spare bytes is writable and starts zeroed.
  for (uint32_t i = 0; i < 100u * 7 + 4; ++i) ASSERT_EQ(image.pixels[i], 0) << i;
  std::memset(image.pixels, 0xAB, 100u * 7 + 4);
  EXPECT_EQ(RowFromTop(image, 0), RowFromBottom(image, 6));

  // Reallocating replaces the block; refusing keeps the old one.
  ASSERT_EQ(AllocatePixels(&image, 2, 2, 8), Status::kOk);
  EXPECT_EQ(image.pixels[0], 0);
  uint8_t* kept = image.pixels;
  EXPECT_EQ(AllocatePixels(&image, 70000, 70000, 8), Status::kUnsupported);
  EXPECT_EQ(image.pixels, kept);
  EXPECT_EQ(image.header.width, 2);
  ReleasePixels(&image);
  EXPECT_EQ(image.pixels, nullptr);
}

TEST(ImageBuffer, EmptyRecordReadsAsTheEmptyCanvas) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  EXPECT_EQ(image.header.width, 400);
  EXPECT_EQ(image.header.height, 300);
  EXPECT_EQ(image.pixels, nullptr);
}

}  // namespace
