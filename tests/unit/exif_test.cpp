// The Exif fields the JPEG codec reads and rewrites, in blocks of both byte
// orders, and blocks whose counts and offsets point outside themselves.
#include "codecs/exif.h"

#include <gtest/gtest.h>

#include "tests/unit/jpeg_test_support.h"

namespace {

constexpr bool kOrders[] = {true, false};

Bytes WithOrientation(bool little, uint32_t value) {
  return ExifBuilder(little).Ifd0({{271, 2, 4, 0}, {274, 3, 1, value}}).Build();
}

uint16_t Orientation(const Bytes& b) { return ReadExifOrientation(b.data(), b.size()); }

// The TIFF data's 16- and 32-bit fields at `at`, in the block's byte order.
uint32_t Field(const Bytes& block, size_t at, int bytes, bool little) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) {
    const uint8_t byte = block[6 + at + (little ? bytes - 1 - i : i)];
    v = (v << 8) | byte;
  }
  return v;
}

TEST(ExifOrientation, KeepsTheEightOrientationsAndReadsEverythingElseAsNormal) {
  for (const bool little : kOrders) {
    for (uint32_t value = 1; value <= 8; ++value) {
      EXPECT_EQ(Orientation(WithOrientation(little, value)), value) << "mirrored ones too";
    }
    EXPECT_EQ(Orientation(WithOrientation(little, 0)), 1);
    EXPECT_EQ(Orientation(WithOrientation(little, 9)), 1);
    EXPECT_EQ(Orientation(WithOrientation(little, 0x0106)), 1) << "the high byte counts";
    EXPECT_EQ(Orientation(ExifBuilder(little).Ifd0({{271, 2, 4, 0}}).Build()), 1);
  }
  EXPECT_EQ(ReadExifOrientation(nullptr, 0), 1);
}

TEST(ExifOrientation, CountsAndOffsetsOutsideTheBlockFindNothing) {
  Bytes b = WithOrientation(true, 6);
  b[6 + 8] = 0xFF;  // IFD0's count far beyond the block: only whole entries are read
  EXPECT_EQ(Orientation(b), 6);
  b.resize(b.size() - 8);  // the orientation entry cut in half
  EXPECT_EQ(Orientation(b), 1);
  Bytes far = WithOrientation(false, 6);
  far[6 + 4] = 0x7F;  // IFD0 offset beyond the block
  EXPECT_EQ(Orientation(far), 1);
  Bytes zero = WithOrientation(true, 6);
  zero[6 + 4] = 0;  // IFD0 inside the header
  EXPECT_EQ(Orientation(zero), 1);
}

TEST(ExifOrientation, ResetWritesOneInTheBlocksByteOrder) {
  for (const bool little : kOrders) {
    Bytes b = WithOrientation(little, 6);
    const size_t entry = 8 + 2 + 12;  // the second entry of IFD0
    ASSERT_TRUE(ResetExifOrientation(b.data(), b.size()));
    EXPECT_EQ(Field(b, entry, 2, little), 274u);
    EXPECT_EQ(Field(b, entry + 2, 2, little), 3u);
    EXPECT_EQ(Field(b, entry + 8, 2, little), 1u);
    EXPECT_EQ(Orientation(b), 1);
  }
  Bytes none = ExifBuilder(true).Ifd0({{271, 2, 4, 0}}).Build();
  const Bytes before = none;
  EXPECT_FALSE(ResetExifOrientation(none.data(), none.size()));
  EXPECT_EQ(none, before);
}

ExifBuilder WithPixelSize(bool little) {
  return ExifBuilder(little)
      .Ifd0({{274, 3, 1, 1}})
      .SubIfd({{36864, 7, 4, 0x30323330}, {40962, 3, 1, 640}, {40963, 3, 1, 480}});
}

TEST(ExifPixelSize, RewritesBothDimensionsAsLongsInTheBlocksByteOrder) {
  for (const bool little : kOrders) {
    Bytes b = WithPixelSize(little).Build();
    ASSERT_TRUE(SetExifPixelSize(b.data(), b.size(), 70000, 3));
    const size_t sub = 8 + 2 + 2 * 12 + 4;
    for (const auto& [entry, tag, value] :
         {std::tuple{sub + 2 + 12, 40962u, 70000u}, std::tuple{sub + 2 + 24, 40963u, 3u}}) {
      EXPECT_EQ(Field(b, entry, 2, little), tag);
      EXPECT_EQ(Field(b, entry + 2, 2, little), 4u) << "LONG";
      EXPECT_EQ(Field(b, entry + 4, 4, little), 1u);
      EXPECT_EQ(Field(b, entry + 8, 4, little), value) << (little ? "II" : "MM");
    }
  }
}

TEST(ExifPixelSize, MalformedBlocksStayAsTheyWere) {
  std::vector<Bytes> cases;
  Bytes bad_mark = WithPixelSize(true).Build();
  bad_mark[7] = 'M';  // "IM"
  cases.push_back(bad_mark);
  Bytes bad_magic = WithPixelSize(false).Build();
  bad_magic[6 + 3] = 43;
  cases.push_back(bad_magic);
  Bytes far_sub = WithPixelSize(false).Build();
  const size_t pointer_value = 6 + 8 + 2 + 12 + 8;  // the value of IFD0's second entry
  far_sub[pointer_value] = 0x01;                    // the sub-IFD pointer beyond the block
  cases.push_back(far_sub);
  Bytes at_end = WithPixelSize(true).Build();
  at_end[pointer_value] = static_cast<uint8_t>(at_end.size() - 6 - 1);  // one byte before the end
  cases.push_back(at_end);
  cases.push_back(Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I'});
  cases.push_back(ExifBuilder(true).Ifd0({{274, 3, 1, 1}}).Build());  // no sub-IFD
  for (Bytes& b : cases) {
    const Bytes before = b;
    EXPECT_FALSE(SetExifPixelSize(b.data(), b.size(), 1, 1));
    EXPECT_EQ(b, before);
  }
}

TEST(ExifThumbnail, FindsIfd1sOffsetAndLength) {
  for (const bool little : kOrders) {
    ExifBuilder builder(little);
    builder.Ifd0({{274, 3, 1, 1}}).SubIfd({{40962, 4, 1, 8}});
    builder.Ifd1({{259, 3, 1, 6}, {513, 4, 1, 0}, {514, 4, 1, 5}},
                 Bytes{0xFF, 0xD8, 1, 0xFF, 0xD9});
    const uint32_t at = builder.ThumbnailOffset();
    builder.Ifd1({{259, 3, 1, 6}, {513, 4, 1, at}, {514, 4, 1, 5}},
                 Bytes{0xFF, 0xD8, 1, 0xFF, 0xD9});
    Bytes b = builder.Build();
    uint32_t offset = 0, length = 0;
    ASSERT_TRUE(FindExifThumbnail(b.data(), b.size(), &offset, &length));
    EXPECT_EQ(offset, at);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(b[6 + offset], 0xFF);
    EXPECT_EQ(b[6 + offset + 1], 0xD8);
    b.pop_back();
    EXPECT_FALSE(FindExifThumbnail(b.data(), b.size(), &offset, &length))
        << "a thumbnail running past the block";
  }
  const Bytes no_ifd1 = WithPixelSize(true).Build();
  uint32_t offset = 0, length = 0;
  EXPECT_FALSE(FindExifThumbnail(no_ifd1.data(), no_ifd1.size(), &offset, &length));
}

}  // namespace
