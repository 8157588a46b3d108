#include "image/commit_image.h"

#include <gtest/gtest.h>

#include "image/animation_frames.h"

namespace {

TEST(CommitImage, MovesPixelsAndKeepsThePaletteOfPaletteImagesOnly) {
  ImageBuffer staged{}, current{};
  ResetImageBuffer(&staged);
  ResetImageBuffer(&current);
  current.palette[7] = {1, 2, 3, 0};
  ASSERT_EQ(AllocatePixels(&current, 4, 4, 8), Status::kOk);

  ASSERT_EQ(AllocatePixels(&staged, 5, 3, 24), Status::kOk);
  staged.palette[7] = {9, 9, 9, 0};  // meaningless at 24 bits: not taken
  staged.source_format = kSourceBmp;
  staged.source_size = 1234;
  staged.source_bits_per_pixel = 32;
  uint8_t* block = staged.pixels;
  CommitImage(&staged, &current);
  EXPECT_EQ(current.pixels, block);
  EXPECT_EQ(staged.pixels, nullptr);
  EXPECT_EQ(current.header.width, 5);
  EXPECT_EQ(current.header.bit_count, 24);
  EXPECT_EQ(current.palette[7].blue, 1);
  EXPECT_EQ(current.source_size, 1234u);
  EXPECT_EQ(current.source_bits_per_pixel, 32u);

  ASSERT_EQ(AllocatePixels(&staged, 2, 2, 8), Status::kOk);
  staged.palette[7] = {9, 8, 7, 0};
  CommitImage(&staged, &current);
  EXPECT_EQ(current.palette[7].red, 7);
  EXPECT_EQ(current.header.bit_count, 8);
  ReleasePixels(&current);
}

// The sanitizer run would report a frame list that is lost or freed twice.
TEST(CommitImage, TheFrameListTravelsWithThePixelsAndGoesWithThem) {
  ImageBuffer staged{}, current{};
  ResetImageBuffer(&staged);
  ResetImageBuffer(&current);
  ASSERT_EQ(AllocatePixels(&current, 2, 2, 24), Status::kOk);
  SetAnimation(&current, new AnimationFrameList);
  ASSERT_EQ(AllocatePixels(&staged, 3, 3, 24), Status::kOk);
  auto* list = new AnimationFrameList;
  list->frames.resize(2);
  list->frames[1].canvas = PageBlock(RowStride(3, 24) * 3);
  SetAnimation(&staged, list);
  CommitImage(&staged, &current);
  EXPECT_EQ(current.animation, list);
  EXPECT_EQ(staged.animation, nullptr);
  ASSERT_EQ(AllocatePixels(&staged, 1, 1, 8), Status::kOk);
  CommitImage(&staged, &current);
  EXPECT_EQ(current.animation, nullptr);
  ReleasePixels(&current);
}

}  // namespace
