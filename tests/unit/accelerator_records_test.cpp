// Reading and writing the stored key table, and how it fills the slots.
#include <gtest/gtest.h>

#include "app/accelerator_records.h"

namespace {

std::vector<uint8_t> Blob(std::initializer_list<AccelRecord> records) {
  return EncodeAccelRecords(std::vector<AccelRecord>(records));
}

const AccelRecord& Slot(const KeyBindings& b, int command) {
  return b.slots[size_t(SlotOfCommand(command))];
}

TEST(AccelRecords, EncodeDecodeRoundTripInFileLayout) {
  std::vector<AccelRecord> records = {{9, 'O', 5010}, {1, 0x1B, 5550}};
  std::vector<uint8_t> bytes = EncodeAccelRecords(records);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(bytes[0], 9);
  EXPECT_EQ(bytes[1], 0);  // padding
  EXPECT_EQ(bytes[2], 'O');
  EXPECT_EQ(bytes[4], 5010 & 0xFF);
  EXPECT_EQ(bytes[5], 5010 >> 8);
  EXPECT_EQ(DecodeAccelRecords(bytes.data(), bytes.size()), records);
  // A partial record at the end is not a record.
  bytes.push_back(1);
  EXPECT_EQ(DecodeAccelRecords(bytes.data(), bytes.size()).size(), 2u);
}

TEST(AccelRecords, HostileRecordsAreDropped) {
  std::vector<uint8_t> bytes = Blob({{1, 'A', 100},             // below the command range
                                     {0x81, 'B', 5550},         // the system's end mark
                                     {0x41, 'C', 5550},         // undefined flag bit
                                     {0x1D, 'D', 5320}});       // Ctrl+Shift+Alt: fine
  std::vector<AccelRecord> kept = DecodeAccelRecords(bytes.data(), bytes.size());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].key, 'D');
  // Never more than the settings entry can hold.
  std::vector<uint8_t> big(6 * 200, 0);
  for (size_t i = 0; i < 200; ++i) big[6 * i] = 1, big[6 * i + 4] = 0xA0, big[6 * i + 5] = 0x15;
  EXPECT_EQ(DecodeAccelRecords(big.data(), big.size()).size(), 113u);
}

TEST(KeyBindingsFromSettings, NothingStoredGivesTheDefaults) {
  KeyBindings b = KeyBindingsFromSettings({});
  EXPECT_EQ(b.slots, DefaultBindingSlots());
  EXPECT_EQ(b.table, TableFromSlots(b.slots));
  ASSERT_FALSE(b.table.empty());
  EXPECT_EQ(b.table.front().command, 5010);  // slot order
  // Only unusable records: the defaults as well.
  EXPECT_EQ(KeyBindingsFromSettings(Blob({{1, 'A', 42}})).slots, DefaultBindingSlots());
}

TEST(KeyBindingsFromSettings, StoredTableDecidesEverySlot) {
  KeyBindings b = KeyBindingsFromSettings(Blob({{1, 'Q', 5550},
                                                {0x19, 'X', 5320},   // Alt kept in the table
                                                {1, 'B', 5346},      // no slot for 5346
                                                {5, 'E', 5550}}));   // second one of 5550
  EXPECT_EQ(Slot(b, 5550), (AccelRecord{1, 'Q', 5550}));
  EXPECT_EQ(Slot(b, 5320), (AccelRecord{9, 'X', 5320})) << "slots keep the low 4 flag bits";
  EXPECT_EQ(Slot(b, 5010), (AccelRecord{1, 0, 5010})) << "unlisted commands become unbound";
  ASSERT_EQ(b.table.size(), 4u);
  EXPECT_EQ(b.table[1].flags, 0x19);
  EXPECT_EQ(b.table[2].command, 5346) << "a command without a slot stays in the table";
}

TEST(KeyBindingsFromSettings, SlotKeysAreTheLowByte) {
  KeyBindings b = KeyBindingsFromSettings(Blob({{0, 0x3041, 5600}}));  // a character binding
  EXPECT_EQ(Slot(b, 5600), (AccelRecord{0, 0x41, 5600}));
  EXPECT_EQ(b.table[0].key, 0x3041);
}

}  // namespace
