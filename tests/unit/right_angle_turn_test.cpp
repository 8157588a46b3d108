#include "effects/right_angle_turn.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "codecs/bmp_reader.h"
#include "image/image_buffer.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Turned = OwnedImage;

// Every pixel differs, so a pixel in the wrong place shows.
void FillDistinct(TestImage* image) {
  for (int y = 0; y < image->record.header.height; ++y) {
    for (int x = 0; x < image->record.header.width; ++x) {
      if (image->record.header.bit_count == 8) {
        image->SetIndex(x, y, static_cast<uint8_t>(x + 7 * y));
      } else {
        image->Set(x, y, uint32_t(x) << 16 | uint32_t(y) << 8 | uint32_t(x * 3 + y));
      }
    }
  }
  for (int i = 0; i < 256; ++i) image->SetEntry(i, uint32_t(i) * 0x010101u ^ 0x00A050u);
}

bool SamePixels(const ImageBuffer& a, const ImageBuffer& b) {
  if (a.header.width != b.header.width || a.header.height != b.header.height) return false;
  for (int y = 0; y < a.header.height; ++y) {
    for (int x = 0; x < a.header.width; ++x) {
      if (PixelRgb(a, x, y) != PixelRgb(b, x, y)) return false;
    }
  }
  return true;
}

// The picture-space mapping of each code: where source (x, y) lands.
void Destination(int code, int w, int h, int x, int y, int* to_x, int* to_y) {
  switch (code) {
    case kTurnClockwise: *to_x = h - 1 - y, *to_y = x; break;
    case kTurnHalf: *to_x = w - 1 - x, *to_y = h - 1 - y; break;
    case kTurnCounterClockwise: *to_x = y, *to_y = w - 1 - x; break;
    case kTurnMirror: *to_x = w - 1 - x, *to_y = y; break;
    default: *to_x = x, *to_y = h - 1 - y; break;
  }
}

TEST(ComposeOrientation, FollowsTheWholeTable) {
  const int none = kOrientationNoCode;
  const int expected[5][6] = {
      {1, 2, 3, 0, none, none}, {2, 3, 0, 1, 5, 4}, {3, 0, 1, 2, none, none},
      {4, none, 5, none, 0, 2}, {5, none, 4, none, 2, 0},
  };
  for (int code = 1; code <= 5; ++code) {
    for (int pending = 0; pending <= 5; ++pending) {
      EXPECT_EQ(ComposeOrientation(pending, code), expected[code - 1][pending])
          << "code " << code << " after " << pending;
    }
  }
  EXPECT_EQ(ComposeOrientation(0, 0), none);
  EXPECT_EQ(ComposeOrientation(0, 6), none);
  EXPECT_EQ(ComposeOrientation(6, 1), none);
}

// Both depths, odd widths (row padding) and a non-square picture: every
// pixel goes where the mapping says, and the record is a turned image's.
TEST(TurnImage, MovesEveryPixelWhereTheMappingSays) {
  const int depths[] = {8, 24};
  for (int bits : depths) {
    for (int code = 1; code <= 5; ++code) {
      TestImage source(37, 21, bits);
      FillDistinct(&source);
      source.record.header.x_pels_per_meter = 3780;
      source.record.header.y_pels_per_meter = 1000;
      source.record.source_format = kSourcePng;
      Turned turned;
      const TurnOutcome outcome = TurnImage(source.record, 0, code, &turned.record);
      ASSERT_EQ(outcome.status, Status::kOk);
      EXPECT_TRUE(outcome.orientation_followed);
      EXPECT_EQ(outcome.orientation, code);
      const DibHeader& h = turned.record.header;
      const bool quarter = code == kTurnClockwise || code == kTurnCounterClockwise;
      EXPECT_EQ(h.width, quarter ? 21 : 37);
      EXPECT_EQ(h.height, quarter ? 37 : 21);
      EXPECT_EQ(h.size, 40u);
      EXPECT_EQ(h.planes, 1);
      EXPECT_EQ(h.bit_count, bits);
      EXPECT_EQ(h.compression, 0u);
      EXPECT_EQ(h.size_image, 0u);
      EXPECT_EQ(h.clr_used, 0u);
      EXPECT_EQ(h.clr_important, 0u);
      EXPECT_EQ(h.x_pels_per_meter, 3780);
      EXPECT_EQ(h.y_pels_per_meter, 1000);
      EXPECT_EQ(turned.record.source_bits_per_pixel, uint32_t(bits));
      EXPECT_EQ(turned.record.source_size, Stride(turned.record) * h.height + 54);
      EXPECT_EQ(turned.record.source_format, kSourceBmp);
      if (bits == 8) {
        EXPECT_EQ(std::memcmp(turned.record.palette, source.record.palette, 1024), 0);
      }
      for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) {
          int to_x = 0, to_y = 0;
          Destination(code, 37, 21, x, y, &to_x, &to_y);
          ASSERT_EQ(PixelRgb(turned.record, to_x, to_y), source.Rgb(x, y))
              << bits << " bits, code " << code << ", pixel " << x << "," << y;
        }
      }
    }
  }
}

TEST(TurnImage, FourClockwiseTurnsComeBackToTheStart) {
  TestImage source(5, 3, 24);
  FillDistinct(&source);
  source.record.source_format = kSourceJpeg;
  Turned steps[4];
  const ImageBuffer* from = &source.record;
  int state = 0;
  for (Turned& step : steps) {
    const TurnOutcome outcome = TurnImage(*from, state, kTurnClockwise, &step.record);
    ASSERT_EQ(outcome.status, Status::kOk);
    state = outcome.orientation;
    from = &step.record;
  }
  EXPECT_EQ(state, 0);
  EXPECT_TRUE(SamePixels(steps[3].record, source.record));
  EXPECT_EQ(steps[3].record.source_format, kSourceJpeg);
}

TEST(TurnImage, MirrorThenFlipIsAHalfTurn) {
  TestImage source(6, 5, 8);
  FillDistinct(&source);
  Turned mirrored, flipped, half;
  ASSERT_EQ(TurnImage(source.record, 0, kTurnMirror, &mirrored.record).orientation, kTurnMirror);
  const TurnOutcome outcome = TurnImage(mirrored.record, kTurnMirror, kTurnFlip, &flipped.record);
  EXPECT_EQ(outcome.orientation, kTurnHalf);
  ASSERT_EQ(TurnImage(source.record, 0, kTurnHalf, &half.record).status, Status::kOk);
  EXPECT_TRUE(SamePixels(flipped.record, half.record));
}

TEST(TurnImage, AQuarterTurnAfterAMirrorLeavesTheOrientationAndTheJpegBehind) {
  TestImage source(4, 3, 24);
  FillDistinct(&source);
  source.record.source_format = kSourceJpeg;
  Turned mirrored, turned;
  ASSERT_EQ(TurnImage(source.record, 0, kTurnMirror, &mirrored.record).status, Status::kOk);
  EXPECT_EQ(mirrored.record.source_format, kSourceJpeg);
  const TurnOutcome outcome = TurnImage(mirrored.record, kTurnMirror, kTurnClockwise, &turned.record);
  ASSERT_EQ(outcome.status, Status::kOk);
  EXPECT_FALSE(outcome.orientation_followed);
  EXPECT_EQ(outcome.orientation, kTurnMirror);
  EXPECT_EQ(turned.record.source_format, kSourceBmp);
  // Mirrored, then turned: source (x, y) goes to (W-1-x, y), then to (H-1-y, W-1-x).
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelRgb(turned.record, 2 - y, 3 - x), source.Rgb(x, y));
  }
}

TEST(TurnImage, AThreeByTwoImageTurnsItsTopLeftToTheTopRight) {
  TestImage source(3, 2, 24);
  FillDistinct(&source);
  source.Set(0, 0, 0xFF0000);
  Turned turned;
  ASSERT_EQ(TurnImage(source.record, 0, kTurnClockwise, &turned.record).status, Status::kOk);
  EXPECT_EQ(turned.record.header.width, 2);
  EXPECT_EQ(turned.record.header.height, 3);
  EXPECT_EQ(PixelRgb(turned.record, 1, 0), 0xFF0000u);
}

TEST(TurnImage, RefusesWhatItCannotTurnAndLeavesNoPixels) {
  TestImage source(3, 2, 24);
  FillDistinct(&source);
  const int bad_codes[] = {0, 6, -1};
  for (int code : bad_codes) {
    Turned turned;
    const TurnOutcome outcome = TurnImage(source.record, 2, code, &turned.record);
    EXPECT_EQ(outcome.status, Status::kUnsupported);
    EXPECT_EQ(outcome.orientation, 2);
    EXPECT_EQ(turned.record.pixels, nullptr);
  }
  // A quarter turn of a 1-pixel-wide 24-bit picture of 2^31 - 1 rows needs
  // a block far beyond 32 bits; the source is not even read.
  ImageBuffer tall{};
  tall.header = source.record.header;
  tall.header.width = 1;
  tall.header.height = INT32_MAX;
  tall.pixels = source.record.pixels;
  Turned turned;
  EXPECT_EQ(TurnImage(tall, 0, kTurnClockwise, &turned.record).status, Status::kUnsupported);
  EXPECT_EQ(turned.record.pixels, nullptr);
}

// ImageMagick's own picture on an odd, non-square size, at both depths.
class TurnInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  }
  bool Load(const std::string& file, ImageBuffer* image) {
    const std::vector<uint8_t> bytes = ReadWholeFile(file);
    return ReadBmpBytes(bytes.data(), bytes.size(), image) == Status::kOk;
  }
  // The source drawn by ImageMagick at the depth asked for.
  std::string MakeSource(int bits) {
    const std::string file = dir_.File("source" + std::to_string(bits) + ".bmp");
    const std::string palette = bits == 8 ? " -colors 200 -type Palette -compress none" : "";
    EXPECT_TRUE(RunTool(kConvert, "-seed 3 -size 37x22 plasma:" + palette + " BMP3:" + file));
    return file;
  }
  TempDir dir_;
};

TEST_F(TurnInterop, EveryTurnMatchesImageMagick) {
  const char* operations[] = {"-rotate 90", "-rotate 180", "-rotate 270", "-flop", "-flip"};
  const int depths[] = {8, 24};
  for (int bits : depths) {
    const std::string source_file = MakeSource(bits);
    Turned source;
    ASSERT_TRUE(Load(source_file, &source.record));
    for (int code = 1; code <= 5; ++code) {
      Turned turned;
      ASSERT_EQ(TurnImage(source.record, 0, code, &turned.record).status, Status::kOk);
      const std::string expected = dir_.File("expected.bmp");
      ASSERT_TRUE(RunTool(kConvert, source_file + " " + operations[code - 1] + " " + expected));
      EXPECT_EQ(ImageRgb(turned.record), DecodedRgb(dir_, expected)) << bits << " bits, " << operations[code - 1];
    }
  }
}

TEST_F(TurnInterop, AllEightExifOrientationsShowUprightAsImageMagickShowsThem) {
  const char* names[] = {"TopLeft", "TopRight", "BottomRight", "BottomLeft",
                         "LeftTop", "RightTop", "RightBottom", "LeftBottom"};
  const std::string source_file = MakeSource(24);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    Turned image;
    ASSERT_TRUE(Load(source_file, &image.record));
    int state = -1;
    ASSERT_EQ(ApplyExifOrientation(&image.record, orientation, &state), Status::kOk);
    const std::string expected = dir_.File("upright.bmp");
    ASSERT_TRUE(RunTool(kConvert, source_file + " -orient " + names[orientation - 1] +
                                      " -auto-orient " + expected));
    EXPECT_EQ(ImageRgb(image.record), DecodedRgb(dir_, expected)) << "orientation " << orientation;
    // The turns a lossless save can repeat; a transposition has no code.
    const int states[] = {0, kTurnMirror, kTurnHalf, kTurnFlip, kTurnClockwise, kTurnClockwise,
                          kTurnCounterClockwise, kTurnCounterClockwise};
    EXPECT_EQ(state, states[orientation - 1]) << "orientation " << orientation;
  }
}

TEST(ApplyExifOrientation, LeavesOtherValuesAlone) {
  const int values[] = {0, 1, 9, -3};
  for (int orientation : values) {
    TestImage image(3, 2, 24);
    FillDistinct(&image);
    int state = -1;
    EXPECT_EQ(ApplyExifOrientation(&image.record, orientation, &state), Status::kOk);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(image.record.header.width, 3);
    EXPECT_EQ(image.Rgb(2, 1), uint32_t(2) << 16 | 1u << 8 | 7u);
  }
}

}  // namespace
