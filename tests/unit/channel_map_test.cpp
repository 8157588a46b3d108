// The tone kernel: which bytes it maps, which it leaves, how it stops, and
// when the tone values change the picture at all.
#include "adjust/channel_map.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <vector>

#include "adjust/brightness_clamp.h"
#include "adjust/contrast_pivot.h"
#include "adjust/contrast_tables.h"
#include "adjust/tone_values.h"
#include "tests/unit/image_test_support.h"

namespace {

// A different mapping for each channel, so a byte taken through another
// channel's table shows.
struct DistinctTables {
  DistinctTables() {
    for (int v = 0; v < 256; ++v) {
      blue[v] = uint8_t(255 - v);
      green[v] = uint8_t(v / 2);
      red[v] = uint8_t(v ^ 0x5A);
    }
  }
  ChannelTables Channels() const { return {blue.data(), green.data(), red.data()}; }
  std::array<uint8_t, 256> blue, green, red;
};

void FillDistinct(TestImage* image) {
  const int32_t width = image->record.header.width, height = image->record.header.height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (image->record.header.bit_count == 8) {
        image->SetIndex(x, y, uint8_t(x + 5 * y));
      } else {
        image->Set(x, y, uint32_t(x * 7 + y) << 16 | uint32_t(x + 3 * y) << 8 | uint32_t(x * y));
      }
    }
  }
  for (int i = 0; i < 256; ++i) {
    image->SetEntry(i, uint32_t(i) * 0x010203u);
    image->record.palette[i].reserved = uint8_t(i ^ 0x33);
  }
}

size_t BlockBytes(const ImageBuffer& image) {
  return size_t{Stride(image)} * static_cast<size_t>(image.header.height);
}

// The result record an adjustment starts from: a copy of the source with
// its padding bytes marked, so that a write into them shows.
void CopyWithMarkedPadding(const ImageBuffer& source, TestImage* result) {
  std::memcpy(result->record.pixels, source.pixels, BlockBytes(source));
  std::memcpy(result->record.palette, source.palette, sizeof source.palette);
  const size_t row_bytes = 3 * static_cast<size_t>(source.header.width);
  for (int32_t y = 0; y < source.header.height; ++y) {
    uint8_t* row = RowFromBottom(result->record, y);
    std::memset(row + row_bytes, 0xEE, Stride(source) - row_bytes);
  }
}

TEST(MapChannels, TakesEachChannelThroughItsOwnTableAndLeavesThePadding) {
  TestImage source(37, 5, 24), result(37, 5, 24);
  FillDistinct(&source);
  CopyWithMarkedPadding(source.record, &result);
  std::vector<uint8_t> before(source.record.pixels, source.record.pixels + BlockBytes(source.record));
  const DistinctTables tables;

  EXPECT_EQ(MapChannels(source.record, tables.Channels(), StopRequest(), &result.record),
            MapEnd::kFinished);
  for (int y = 0; y < 5; ++y) {
    const uint8_t* from = RowFromTop(source.record, y);
    const uint8_t* to = RowFromTop(result.record, y);
    for (int x = 0; x < 37; ++x) {
      EXPECT_EQ(to[3 * x], tables.blue[from[3 * x]]);
      EXPECT_EQ(to[3 * x + 1], tables.green[from[3 * x + 1]]);
      EXPECT_EQ(to[3 * x + 2], tables.red[from[3 * x + 2]]);
    }
    for (size_t pad = 3 * 37; pad < Stride(source.record); ++pad) EXPECT_EQ(to[pad], 0xEE);
  }
  EXPECT_EQ(std::memcmp(before.data(), source.record.pixels, before.size()), 0);
}

TEST(MapChannels, MapsInPlace) {
  TestImage image(9, 4, 24), expected(9, 4, 24);
  FillDistinct(&image);
  const DistinctTables tables;
  EXPECT_EQ(MapChannels(image.record, tables.Channels(), StopRequest(), &expected.record),
            MapEnd::kFinished);
  EXPECT_EQ(MapChannels(image.record, tables.Channels(), StopRequest(), &image.record),
            MapEnd::kFinished);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) EXPECT_EQ(image.Rgb(x, y), expected.Rgb(x, y)) << x << " " << y;
  }
}

TEST(MapChannels, ChangesOnlyThePaletteColoursOfAnIndexedPicture) {
  TestImage source(13, 6, 8), result(13, 6, 8);
  FillDistinct(&source);
  std::memcpy(result.record.pixels, source.record.pixels, BlockBytes(source.record));
  std::memcpy(result.record.palette, source.record.palette, sizeof source.record.palette);
  for (RgbQuad& entry : result.record.palette) entry.reserved = 0x77;
  const DistinctTables tables;

  EXPECT_EQ(MapChannels(source.record, tables.Channels(), StopRequest(), &result.record),
            MapEnd::kFinished);
  EXPECT_EQ(std::memcmp(result.record.pixels, source.record.pixels, BlockBytes(source.record)), 0);
  for (int i = 0; i < 256; ++i) {
    const RgbQuad& from = source.record.palette[i];
    const RgbQuad& to = result.record.palette[i];
    EXPECT_EQ(to.blue, tables.blue[from.blue]) << i;
    EXPECT_EQ(to.green, tables.green[from.green]) << i;
    EXPECT_EQ(to.red, tables.red[from.red]) << i;
    EXPECT_EQ(to.reserved, 0x77) << i;
  }
}

TEST(MapChannels, FullBrightnessWhitensEveryChannelEvenZero) {
  TestImage image(3, 2, 24);
  image.Set(0, 0, 0x000000), image.Set(1, 0, 0x0180FE), image.Set(2, 0, 0xFF0000);
  image.Set(0, 1, 0x000001), image.Set(1, 1, 0x7F7F7F), image.Set(2, 1, 0xFFFFFF);
  ChannelTables up = ChannelsFor(kBrightnessClamp, AmountsOf({true, 255, 0, 0, 0}));
  MapChannels(image.record, up, StopRequest(), &image.record);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Rgb(x, y), 0xFFFFFFu) << x << " " << y;
  }
  ChannelTables down = ChannelsFor(kBrightnessClamp, AmountsOf({false, 0, -255, -255, -255}));
  MapChannels(image.record, down, StopRequest(), &image.record);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Rgb(x, y), 0u) << x << " " << y;
  }
}

TEST(MapChannels, ContrastLeavesAPictureAtItsPivotAsItIs) {
  TestImage grey(1024, 2, 24), result(1024, 2, 24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 1024; ++x) grey.Set(x, y, 0x5D5D5D);
  }
  ContrastTables tables(ContrastPivot(grey.record));
  for (int p = -100; p <= 100; ++p) {
    std::memset(result.record.pixels, 0, BlockBytes(result.record));
    MapChannels(grey.record, ChannelsFor(tables, {p, p, p}), StopRequest(), &result.record);
    ASSERT_EQ(std::memcmp(result.record.pixels, grey.record.pixels, BlockBytes(grey.record)), 0) << p;
  }
}

// A request made before the work begins is answered before the first row.
TEST(MapChannels, StopsWhenAsked) {
  TestImage source(3000, 2000, 24), result(3000, 2000, 24);
  FillDistinct(&source);
  const DistinctTables tables;
  std::atomic<bool> stop{true};
  EXPECT_EQ(MapChannels(source.record, tables.Channels(), StopRequest(&stop), &result.record),
            MapEnd::kStopped);
  const std::vector<uint8_t> zeros(BlockBytes(result.record));
  EXPECT_EQ(std::memcmp(result.record.pixels, zeros.data(), zeros.size()), 0);

  TestImage indexed(4, 4, 8), indexed_result(4, 4, 8);
  FillDistinct(&indexed);
  EXPECT_EQ(MapChannels(indexed.record, tables.Channels(), StopRequest(&stop), &indexed_result.record),
            MapEnd::kStopped);
  EXPECT_EQ(indexed_result.record.palette[200].blue, 0);

  stop = false;
  EXPECT_EQ(MapChannels(source.record, tables.Channels(), StopRequest(&stop), &result.record),
            MapEnd::kFinished);
  EXPECT_EQ(RowFromTop(result.record, 1999)[0], tables.blue[RowFromTop(source.record, 1999)[0]]);
}

TEST(ToneValues, LinkedValuesUseTheAllValueForEveryChannel) {
  const ChannelAmounts linked = AmountsOf({true, 7, 1, 2, 3});
  EXPECT_EQ(linked.blue, 7);
  EXPECT_EQ(linked.green, 7);
  EXPECT_EQ(linked.red, 7);
  const ChannelAmounts separate = AmountsOf({false, 7, 1, 2, 3});
  EXPECT_EQ(separate.blue, 1);
  EXPECT_EQ(separate.green, 2);
  EXPECT_EQ(separate.red, 3);
}

TEST(ToneValues, ChangeThePictureOnlyThroughTheValuesThatCount) {
  EXPECT_FALSE(ChangesPicture({true, 0, 0, 0, 0}));
  EXPECT_FALSE(ChangesPicture({true, 0, 5, -5, 9}));  // channel values set before linking
  EXPECT_TRUE(ChangesPicture({true, -1, 0, 0, 0}));
  EXPECT_FALSE(ChangesPicture({false, 40, 0, 0, 0}));
  EXPECT_TRUE(ChangesPicture({false, 0, 1, 0, 0}));
  EXPECT_TRUE(ChangesPicture({false, 0, 0, -1, 0}));
  EXPECT_TRUE(ChangesPicture({false, 0, 0, 0, 255}));
}

TEST(ToneValues, AmountsOutsideTheRangeAreTakenToItsEnds) {
  EXPECT_EQ(Within(kBrightnessAmounts, 300), 255);
  EXPECT_EQ(Within(kBrightnessAmounts, -256), -255);
  EXPECT_EQ(Within(kGammaAmounts, 101), 100);
  EXPECT_EQ(Within(kContrastAmounts, -7), -7);
}

}  // namespace
