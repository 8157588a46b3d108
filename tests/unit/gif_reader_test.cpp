// The GIF reader on files built here block by block: the still picture of
// the first image, the frames of an animation with every disposal, and the
// status of every broken structure.
#include "codecs/gif_reader.h"

#include <gtest/gtest.h>

#include <array>

#include "codecs/gif_frames.h"
#include "image/animation_frames.h"
#include "tests/unit/gif_test_support.h"

namespace {

using gif_test::Bytes;
using gif_test::Control;
using gif_test::GifBuilder;
using gif_test::Image;
using gif_test::PixelRgb;

// Four colours: black, red, green, blue.
const Bytes kGlobal = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};

DecodeSettings Settings(bool animation, bool composite = true, bool file_background = true,
                        uint32_t background = 0x00FF00FF) {
  DecodeSettings s;
  s.animation = animation;
  s.png.composite_transparency = composite;
  s.png.use_file_background = file_background;
  s.png.background_colour = background;
  return s;
}

Status Read(const Bytes& gif, const DecodeSettings& settings, OwnedImage* image, LoadResults* results = nullptr) {
  return ReadGifBytes(gif.data(), gif.size(), settings, &image->record, results);
}

Image Solid(int left, int top, int width, int height, uint8_t index) {
  Image image;
  image.left = left, image.top = top, image.width = width, image.height = height;
  image.indices.assign(size_t(width) * size_t(height), index);
  return image;
}

std::vector<int> IndexRows(const ImageBuffer& image) {
  std::vector<int> rows;
  for (int y = 0; y < image.header.height; ++y) rows.push_back(RowFromTop(image, y)[0]);
  return rows;
}

TEST(GifReader, AStillSmallerThanTheScreenIsSurroundedByTheBackgroundIndex) {
  const Bytes gif = GifBuilder(5, 4, kGlobal, 2).Picture(Solid(1, 1, 3, 2, 3)).Trailer();
  OwnedImage image;
  LoadResults results;
  ASSERT_EQ(Read(gif, Settings(false), &image, &results), Status::kOk);
  const ImageBuffer& r = image.record;
  EXPECT_EQ(r.header.width, 5);
  EXPECT_EQ(r.header.height, 4);
  EXPECT_EQ(r.header.bit_count, 8);
  EXPECT_EQ(r.source_format, kSourceGif);
  EXPECT_EQ(r.source_bits_per_pixel, 2u);
  EXPECT_EQ(r.source_size, gif.size());
  EXPECT_EQ(r.animation, nullptr);
  const char* expected[4] = {"22222", "23332", "23332", "22222"};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(RowFromTop(r, y)[x], expected[y][x] - '0') << x << "," << y;
  }
  EXPECT_EQ(r.palette[1].red, 255);
  EXPECT_EQ(r.palette[3].blue, 255);
  EXPECT_EQ(r.palette[3].red, 0);
  EXPECT_EQ(r.palette[4].blue, 0) << "entries past the table stay zero";
  EXPECT_FALSE(results.interlaced_or_progressive);
  EXPECT_FALSE(results.transparency);
  EXPECT_EQ(results.comment_count, 0);
}

TEST(GifReader, InterlacedRowsComeBackInPictureOrder) {
  for (int height : {1, 2, 3, 5, 8, 9, 17}) {
    Image image = Solid(0, 0, 2, height, 0);
    for (int y = 0; y < height; ++y) image.indices[size_t(y) * 2] = image.indices[size_t(y) * 2 + 1] = uint8_t(y);
    image.interlaced = true;
    image.min_code_size = 5;
    Bytes global(32 * 3, 7);
    OwnedImage out;
    LoadResults results;
    ASSERT_EQ(Read(GifBuilder(2, height, global).Picture(image).Trailer(), Settings(false), &out, &results),
              Status::kOk);
    std::vector<int> expected;
    for (int y = 0; y < height; ++y) expected.push_back(y);
    EXPECT_EQ(IndexRows(out.record), expected) << height;
    EXPECT_TRUE(results.interlaced_or_progressive);
  }
}

TEST(GifReader, ALocalTableIsThePaletteAndCountsForTheSourceDepth) {
  Image image = Solid(0, 0, 2, 1, 1);
  image.local.assign(8 * 3, 0);
  image.local[3] = 10, image.local[4] = 20, image.local[5] = 30;
  image.min_code_size = 3;
  OwnedImage out;
  ASSERT_EQ(Read(GifBuilder(2, 1, kGlobal).Picture(image).Trailer(), Settings(false), &out), Status::kOk);
  EXPECT_EQ(out.record.source_bits_per_pixel, 3u);
  EXPECT_EQ(out.record.palette[1].red, 10);
  EXPECT_EQ(out.record.palette[1].green, 20);
  EXPECT_EQ(out.record.palette[1].blue, 30);
  // Without a global table the local one is all there is.
  OwnedImage alone;
  ASSERT_EQ(Read(GifBuilder(2, 1, {}).Picture(image).Trailer(), Settings(false), &alone), Status::kOk);
  EXPECT_EQ(alone.record.palette[1].blue, 30);
}

TEST(GifReader, TheTransparentEntryShowsTheFillColourOnlyWhenCompositing) {
  const Bytes gif = GifBuilder(1, 1, kGlobal, 2).Frame({0, 1, 0}, Solid(0, 0, 1, 1, 1)).Trailer();
  struct Case {
    DecodeSettings settings;
    RgbQuad entry;
    const char* what;
  } cases[] = {
      {Settings(false, true, true), {0, 255, 0, 0}, "the file's background (green)"},
      {Settings(false, true, false, 0x00336699), {0x33, 0x66, 0x99, 0}, "the configured colour"},
      {Settings(false, false), {0, 0, 255, 0}, "no compositing: the file's red"},
  };
  for (const Case& c : cases) {
    OwnedImage out;
    LoadResults results;
    ASSERT_EQ(Read(gif, c.settings, &out, &results), Status::kOk) << c.what;
    const RgbQuad& e = out.record.palette[1];
    EXPECT_EQ((std::array<int, 3>{e.blue, e.green, e.red}), (std::array<int, 3>{c.entry.blue, c.entry.green, c.entry.red}))
        << c.what;
    EXPECT_TRUE(results.transparency) << c.what;
  }
  // Without a global table the file has no background colour.
  Image local = Solid(0, 0, 1, 1, 1);
  local.local = kGlobal;
  OwnedImage out;
  ASSERT_EQ(Read(GifBuilder(1, 1, {}, 2).Frame({0, 1, 0}, local).Trailer(), Settings(false, true, true, 0x00112233),
                 &out),
            Status::kOk);
  EXPECT_EQ(out.record.palette[1].red, 0x33);
  EXPECT_EQ(out.record.palette[1].blue, 0x11);
}

TEST(GifReader, ACommentIsCountedOnce) {
  OwnedImage out;
  LoadResults results;
  const Bytes gif = GifBuilder(1, 1, kGlobal).Comment("a").Comment("b").Picture(Solid(0, 0, 1, 1, 0)).Trailer();
  ASSERT_EQ(Read(gif, Settings(false), &out, &results), Status::kOk);
  EXPECT_EQ(results.comment_count, 1);
}

// Black screen background index 0; frames drawn in red (1), green (2), blue (3).
constexpr uint32_t kBlack = 0, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

struct Frames {
  OwnedImage image;
  Status status = Status::kOk;
  uint32_t At(int frame, int x, int y) const {
    const ImageBuffer& r = image.record;
    return PixelRgb(FrameCanvas(*r.animation, r.pixels, frame), r.header.width, r.header.height, x, y);
  }
  std::vector<uint32_t> Row(int frame, int y) const {
    std::vector<uint32_t> row;
    for (int x = 0; x < image.record.header.width; ++x) row.push_back(At(frame, x, y));
    return row;
  }
};

void ReadFrames(const Bytes& gif, Frames* f, DecodeSettings settings = Settings(true)) {
  f->status = Read(gif, settings, &f->image);
}

TEST(GifReader, AnAnimationHasFullCanvasFramesWithTheirDelays) {
  Frames f;
  ReadFrames(GifBuilder(3, 1, kGlobal).Loop(7).Frame({1, -1, 5}, Solid(0, 0, 2, 1, 1))
                 .Frame({1, -1, 0}, Solid(2, 0, 1, 1, 2)).Trailer(), &f);
  ASSERT_EQ(f.status, Status::kOk);
  const ImageBuffer& r = f.image.record;
  ASSERT_NE(r.animation, nullptr);
  EXPECT_EQ(r.header.bit_count, 24);
  EXPECT_EQ(r.animation->frame_count(), 2);
  EXPECT_EQ(r.animation->loop_count, 7);
  EXPECT_FALSE(r.animation->truncated);
  EXPECT_EQ(r.animation->frames[0].delay, 5);
  EXPECT_EQ(r.animation->frames[1].delay, 0) << "stored as the file gives it";
  EXPECT_EQ(f.Row(0, 0), (std::vector<uint32_t>{kRed, kRed, kBlack})) << "the fill colour around the first";
  EXPECT_EQ(f.Row(1, 0), (std::vector<uint32_t>{kRed, kRed, kGreen})) << "disposal 1 keeps what was drawn";
}

TEST(GifReader, DisposalTwoClearsTheRectangleToTheFillColourBeforeTheNextFrame) {
  Frames f;
  ReadFrames(GifBuilder(3, 1, kGlobal, 3).Loop(0).Frame({1, -1, 0}, Solid(0, 0, 3, 1, 1))
                 .Frame({2, -1, 0}, Solid(0, 0, 2, 1, 2)).Frame({0, -1, 0}, Solid(2, 0, 1, 1, 3)).Trailer(), &f);
  ASSERT_EQ(f.status, Status::kOk);
  EXPECT_EQ(f.Row(1, 0), (std::vector<uint32_t>{kGreen, kGreen, kRed}));
  EXPECT_EQ(f.Row(2, 0), (std::vector<uint32_t>{kBlue, kBlue, kBlue})) << "background index 3 is blue";
}

TEST(GifReader, DisposalThreeBringsBackTheCanvasFromBeforeThePreviousFrame) {
  // Frame 0 covers everything red and asks to be cleared; frame 1 paints
  // green and asks to be undone; frame 2 must start from the cleared screen,
  // not from frame 0's red.
  Frames f;
  ReadFrames(GifBuilder(3, 1, kGlobal, 0).Loop(0).Frame({2, -1, 0}, Solid(0, 0, 3, 1, 1))
                 .Frame({3, -1, 0}, Solid(0, 0, 2, 1, 2)).Frame({0, -1, 0}, Solid(2, 0, 1, 1, 3)).Trailer(), &f);
  ASSERT_EQ(f.status, Status::kOk);
  EXPECT_EQ(f.Row(2, 0), (std::vector<uint32_t>{kBlack, kBlack, kBlue}));
  // With only one earlier frame, undoing it leaves the fill colour.
  Frames g;
  ReadFrames(GifBuilder(2, 1, kGlobal, 2).Loop(0).Frame({3, -1, 0}, Solid(0, 0, 2, 1, 1))
                 .Frame({0, 0, 0}, Solid(1, 0, 1, 1, 0)).Trailer(), &g);
  ASSERT_EQ(g.status, Status::kOk);
  EXPECT_EQ(g.Row(1, 0), (std::vector<uint32_t>{kGreen, kGreen})) << "transparent index 0 shows what lies below";
  // A chain of undone frames keeps returning to the same picture.
  Frames h;
  ReadFrames(GifBuilder(2, 1, kGlobal).Loop(0).Frame({1, -1, 0}, Solid(0, 0, 2, 1, 1))
                 .Frame({3, -1, 0}, Solid(0, 0, 1, 1, 2)).Frame({3, -1, 0}, Solid(1, 0, 1, 1, 3))
                 .Frame({0, -1, 0}, Solid(0, 0, 1, 1, 1)).Trailer(), &h);
  ASSERT_EQ(h.status, Status::kOk);
  EXPECT_EQ(h.Row(2, 0), (std::vector<uint32_t>{kRed, kBlue}));
  EXPECT_EQ(h.Row(3, 0), (std::vector<uint32_t>{kRed, kRed}));
}

TEST(GifReader, TransparentPixelsOfAFrameLeaveTheCanvasBelow) {
  Image second = Solid(0, 0, 3, 1, 2);
  second.indices[1] = 3;
  Frames f;
  ReadFrames(GifBuilder(3, 1, kGlobal).Loop(0).Frame({0, 1, 0}, Solid(0, 0, 3, 1, 1))
                 .Frame({0, 3, 0}, second).Trailer(), &f, Settings(true, true, false, 0x00FFFFFF));
  ASSERT_EQ(f.status, Status::kOk);
  EXPECT_EQ(f.Row(0, 0), (std::vector<uint32_t>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}))
      << "the first frame's transparent pixels show the fill colour";
  EXPECT_EQ(f.Row(1, 0), (std::vector<uint32_t>{kGreen, 0xFFFFFF, kGreen}));
}

TEST(GifReader, FramesAreMadeOnlyWhenWantedAndAnnouncedBeforeTheFirstImage) {
  const Bytes looping = GifBuilder(2, 1, kGlobal).Loop(0).Picture(Solid(0, 0, 2, 1, 1))
                            .Picture(Solid(0, 0, 2, 1, 2)).Trailer();
  OwnedImage still;
  ASSERT_EQ(Read(looping, Settings(false), &still), Status::kOk);
  EXPECT_EQ(still.record.header.bit_count, 8) << "a reader that wants no frames gets the first image";
  EXPECT_EQ(still.record.animation, nullptr);
  const Bytes late = GifBuilder(2, 1, kGlobal).Picture(Solid(0, 0, 2, 1, 1)).Loop(0)
                         .Picture(Solid(0, 0, 2, 1, 2)).Trailer();
  OwnedImage late_still;
  ASSERT_EQ(Read(late, Settings(true), &late_still), Status::kOk);
  EXPECT_EQ(late_still.record.header.bit_count, 8) << "a looping extension after the first image";
  EXPECT_EQ(late_still.record.animation, nullptr);
  EXPECT_EQ(RowFromTop(late_still.record, 0)[0], 1);
}

TEST(GifReader, ACutOffAnimationKeepsItsWholeFrames) {
  const Bytes whole = GifBuilder(2, 1, kGlobal).Loop(0).Picture(Solid(0, 0, 2, 1, 1))
                          .Picture(Solid(0, 0, 2, 1, 2)).Trailer();
  const Bytes first_image = GifBuilder(2, 1, kGlobal).Loop(0).Picture(Solid(0, 0, 2, 1, 1)).bytes();
  for (size_t cut = first_image.size(); cut < whole.size() - 1; ++cut) {
    Frames f;
    ReadFrames(Bytes(whole.begin(), whole.begin() + long(cut)), &f);
    ASSERT_EQ(f.status, Status::kOk) << cut;
    EXPECT_EQ(f.image.record.animation->frame_count(), 1) << cut;
  }
  // Before the first image is whole there is nothing to show.
  for (size_t cut = 13; cut < first_image.size(); ++cut) {
    Frames f;
    ReadFrames(Bytes(whole.begin(), whole.begin() + long(cut)), &f);
    EXPECT_EQ(f.status, Status::kCorrupt) << cut;
    EXPECT_EQ(f.image.record.pixels, nullptr) << cut;
  }
}

TEST(GifReader, AnAnimationStopsAtItsMemoryLimitKeepingTheFramesMade) {
  GifScreen screen;
  screen.width = 10, screen.height = 10;
  screen.global.bits = 2;
  const uint64_t canvas = RowStride(10, 24) * 10;
  GifAnimation animation(screen, {}, 0, canvas * 3);
  const GifImageDescriptor d = {0, 0, 10, 10, false, {}, 2};
  const Bytes indices(100, 1);
  const GifPicture picture = {&d, indices.data(), &screen.global, {}};
  OwnedImage image;
  Status status = Status::kCorrupt;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(animation.AddFrame(picture, &image.record, &status)) << i;
  EXPECT_FALSE(animation.AddFrame(picture, &image.record, &status));
  EXPECT_EQ(status, Status::kOk);
  animation.Finish(&image.record);
  EXPECT_EQ(image.record.animation->frame_count(), 3);
  EXPECT_TRUE(image.record.animation->truncated);
}

TEST(GifReader, BrokenFilesGetTheirStatusAndNoPixels) {
  const Bytes good = GifBuilder(2, 2, kGlobal).Picture(Solid(0, 0, 2, 2, 1)).Trailer();
  auto with = [&](size_t at, uint8_t value) {
    Bytes b = good;
    b[at] = value;
    return b;
  };
  const size_t image_at = 13 + kGlobal.size();
  Bytes no_data = GifBuilder(2, 2, kGlobal).Raw({0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 0}).Trailer();
  Bytes too_much = GifBuilder(1, 1, kGlobal).Raw({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2})
                       .SubBlocks(Bytes(262, 0x55)).Trailer();
  Bytes global_cut(good.begin(), good.begin() + 20);
  struct Case {
    Bytes gif;
    Status status;
    const char* what;
  } cases[] = {
      {Bytes(good.begin(), good.begin() + 12), Status::kCorrupt, "shorter than a header"},
      {with(4, '8'), Status::kCorrupt, "version 88a"},
      {with(0, 'J'), Status::kCorrupt, "no signature"},
      {[&] { Bytes b = with(6, 0); b[7] = 0; return b; }(), Status::kUnsupported, "screen width 0"},
      {[&] { Bytes b = with(8, 0); b[9] = 0; return b; }(), Status::kUnsupported, "screen height 0"},
      {global_cut, Status::kCorrupt, "global table past the data"},
      {with(image_at, 0x2D), Status::kReadFailed, "unknown block byte"},
      {GifBuilder(2, 2, kGlobal).Raw({0x21, 0x02, 0}).Picture(Solid(0, 0, 2, 2, 1)).Trailer(), Status::kReadFailed,
       "unknown extension label"},
      {GifBuilder(2, 2, kGlobal).Raw({0x21, 0xFE, 9, 1}).bytes(), Status::kCorrupt, "sub-block past the data"},
      {with(image_at + 1, 1), Status::kCorrupt, "image past the screen's right edge"},
      {with(image_at + 7, 3), Status::kCorrupt, "image past the screen's bottom"},
      {with(image_at + 5, 0), Status::kUnsupported, "image width 0"},
      {GifBuilder(2, 2, {}).Picture(Solid(0, 0, 2, 2, 1)).Trailer(), Status::kCorrupt, "no colour table"},
      {with(image_at + 10, 1), Status::kCorrupt, "minimum code size 1"},
      {with(image_at + 10, 9), Status::kCorrupt, "minimum code size 9"},
      {no_data, Status::kCorrupt, "empty image data"},
      {too_much, Status::kCorrupt, "more image data than the image can need"},
      {GifBuilder(2, 2, kGlobal).Trailer(), Status::kCorrupt, "trailer before any image"},
      {GifBuilder(2, 2, kGlobal).Comment("x").bytes(), Status::kCorrupt, "data ends before any image"},
  };
  for (const Case& c : cases) {
    for (bool animation : {false, true}) {
      OwnedImage out;
      EXPECT_EQ(Read(c.gif, Settings(animation), &out), c.status) << c.what;
      EXPECT_EQ(out.record.pixels == nullptr, c.status != Status::kOk) << c.what;
    }
  }
  OwnedImage looped;
  EXPECT_EQ(Read(GifBuilder(2, 2, kGlobal).Loop(0).Trailer(), Settings(true), &looped), Status::kCorrupt)
      << "an animation without frames";
}

TEST(GifReader, APictureTooLargeToStoreIsUnsupported) {
  // 65535 x 65535 fits 8 bits in 4 GiB but not 24; the animation is refused
  // before any canvas or index block is made.
  Bytes gif = GifBuilder(65535, 65535, kGlobal).Loop(0).Raw({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2})
                  .SubBlocks(GifBuilder::LiteralCodes({1}, 2)).Trailer();
  OwnedImage out;
  EXPECT_EQ(Read(gif, Settings(true), &out), Status::kUnsupported);
}

}  // namespace
