// The 526-byte record a second start hands to the running viewer: its byte
// layout, the path length limit and what a hostile record may not do.
#include "app/handover_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Record = std::array<uint8_t, kHandoverRecordBytes>;

std::u16string Repeated(char16_t unit, size_t count) { return std::u16string(count, unit); }

TEST(HandoverRecord, LayoutMatchesHandBuiltBytes) {
  CommandLine command;
  command.switch_letter = u'f';
  command.entry_key = -2;
  command.path = u"C:\\\u00e9";
  command.extra = {u"ignored"};

  Record expected{};
  expected[0] = 'f';
  expected[2] = 0xFE;  // -2, little-endian
  expected[3] = expected[4] = expected[5] = 0xFF;
  const uint8_t path[] = {'C', 0, ':', 0, '\\', 0, 0xE9, 0x00};
  std::copy(std::begin(path), std::end(path), expected.begin() + 6);
  EXPECT_EQ(EncodeHandover(command), expected);

  CommandLine decoded;
  decoded.extra = {u"stale"};
  ASSERT_TRUE(DecodeHandover(expected.data(), expected.size(), &decoded));
  EXPECT_EQ(decoded.switch_letter, u'f');
  EXPECT_EQ(decoded.entry_key, -2);
  EXPECT_EQ(decoded.path, u"C:\\\u00e9");
  EXPECT_TRUE(decoded.extra.empty());
}

TEST(HandoverRecord, PathTravelsOnlyWhenItFitsWithItsTerminator) {
  CommandLine command = ParseCommandLine({u"/fz7", Repeated(u'p', 259)});
  Record record = EncodeHandover(command);
  EXPECT_EQ(record[6 + 2 * 258], 'p');
  EXPECT_EQ(record[6 + 2 * 259], 0);
  CommandLine decoded;
  ASSERT_TRUE(DecodeHandover(record.data(), record.size(), &decoded));
  EXPECT_EQ(decoded.path, Repeated(u'p', 259));
  EXPECT_EQ(decoded.entry_key, 7);

  for (size_t length : {size_t{260}, size_t{261}, size_t{0}}) {
    command.path = Repeated(u'p', length);
    record = EncodeHandover(command);
    EXPECT_TRUE(std::all_of(record.begin() + 6, record.end(), [](uint8_t b) { return b == 0; }))
        << length;
    ASSERT_TRUE(DecodeHandover(record.data(), record.size(), &decoded));
    EXPECT_EQ(decoded.switch_letter, u'f');
    EXPECT_TRUE(decoded.path.empty());
  }
}

// The record is followed by bytes that must not become part of the path.
TEST(HandoverRecord, UnterminatedPathStaysInsideTheRecord) {
  std::vector<uint8_t> bytes(kHandoverRecordBytes + 8, 'q');
  bytes[0] = 's';
  bytes[1] = 0;
  std::fill(bytes.begin() + 2, bytes.begin() + 6, 0);
  CommandLine decoded;
  ASSERT_TRUE(DecodeHandover(bytes.data(), kHandoverRecordBytes, &decoded));
  EXPECT_EQ(decoded.path.size(), kHandoverPathUnits);
  EXPECT_EQ(decoded.path, Repeated(u'\u7171', kHandoverPathUnits));
}

TEST(HandoverRecord, WrongSizeIsRefused) {
  const std::vector<uint8_t> bytes(kHandoverRecordBytes + 1, 0);
  CommandLine decoded;
  decoded.path = u"kept";
  for (size_t size : {size_t{0}, size_t{16}, kHandoverRecordBytes - 1, kHandoverRecordBytes + 1}) {
    EXPECT_FALSE(DecodeHandover(bytes.data(), size, &decoded)) << size;
  }
  EXPECT_FALSE(DecodeHandover(nullptr, kHandoverRecordBytes, &decoded));
  EXPECT_EQ(decoded.path, u"kept");
}

}  // namespace
