// The binding slots, the built-in keys and the names they are shown with.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/accelerator_slots.h"
#include "app/key_names.h"

namespace {

constexpr uint8_t kCtrl = kAccelVirtKey | kAccelControl;
constexpr uint8_t kShift = kAccelVirtKey | kAccelShift;

TEST(BindingSlots, OrderFollowsTheBindingsList) {
  const auto& c = SlotCommands();
  // Places where the order departs from numeric order, and the runs.
  struct Expected { int slot; int command; } expected[] = {
      {0, 5010},   {4, 5014},   {5, 5021},   {6, 5020},   {7, 5030},   {8, 5035},
      {9, 5031},   {15, 5111},  {16, 5110},  {22, 5152},  {23, 5150},  {24, 5151},
      {28, 5180},  {29, 5166},  {33, 5168},  {35, 5181},  {37, 5165},  {41, 5182},
      {42, 5270},  {48, 5276},  {49, 5210},  {56, 5254},  {65, 5341},  {69, 5345},
      {70, 5351},  {74, 5355},  {75, 5420},  {82, 5427},  {83, 5410},  {84, 5510},
      {89, 5550},  {90, 5600},  {93, 5260},  {98, 5265},  {99, 5700},  {100, 5702},
      {101, 5703}, {102, 5701}, {103, 5650}, {106, 5653}, {107, 5810}, {108, 5720},
      {110, 5722}, {111, 5710}, {112, 5740}};
  for (const Expected& e : expected) EXPECT_EQ(c[size_t(e.slot)], e.command) << "slot " << e.slot;
  EXPECT_EQ(std::set<uint16_t>(c.begin(), c.end()).size(), size_t(kBindingSlotCount));
  EXPECT_EQ(SlotOfCommand(5701), 102);
  EXPECT_EQ(SlotOfCommand(5900), -1);
}

TEST(BindingSlots, DefaultsBindTheListedKeysOnly) {
  BindingSlots slots = DefaultBindingSlots();
  auto at = [&](int command) { return slots[size_t(SlotOfCommand(command))]; };
  EXPECT_EQ(at(5010), (AccelRecord{kCtrl, 'O', 5010}));
  EXPECT_EQ(at(5011), (AccelRecord{kAccelVirtKey, 0x08, 5011}));
  EXPECT_EQ(at(5041), (AccelRecord{kAccelVirtKey, 0xF0, 5041}));
  EXPECT_EQ(at(5152), (AccelRecord{kCtrl, 0x25, 5152}));
  EXPECT_EQ(at(5150), (AccelRecord{kCtrl, 0x27, 5150}));
  EXPECT_EQ(at(5420), (AccelRecord{kAccelVirtKey, '1', 5420}));
  EXPECT_EQ(at(5427), (AccelRecord{kAccelVirtKey, '8', 5427}));
  EXPECT_EQ(at(5550), (AccelRecord{kAccelVirtKey, 0x1B, 5550}));
  EXPECT_EQ(at(5600), (AccelRecord{kAccelVirtKey, 0x20, 5600}));
  EXPECT_EQ(at(5611), (AccelRecord{kCtrl, 0x28, 5611}));
  EXPECT_EQ(at(5702), (AccelRecord{kAccelVirtKey, 0x26, 5702}));
  EXPECT_EQ(at(5653), (AccelRecord{kShift, 0x28, 5653}));
  EXPECT_EQ(at(5722), (AccelRecord{kAccelVirtKey, 'F', 5722}));
  EXPECT_EQ(at(5120), (AccelRecord{kAccelVirtKey, 0, 5120}));
  int bound = 0;
  std::set<std::pair<int, int>> keys;
  for (const AccelRecord& s : slots) {
    if (s.key == 0) continue;
    ++bound;
    keys.insert({s.flags, s.key});
  }
  EXPECT_EQ(bound, 42);
  EXPECT_EQ(keys.size(), size_t(bound)) << "no two commands share a key";
}

TEST(KeyNames, NamesFollowTheJapaneseLayout) {
  EXPECT_STREQ(KeyName(8), "BackSpace");
  EXPECT_STREQ(KeyName(27), "Esc");
  EXPECT_STREQ(KeyName(34), "PageDown");
  EXPECT_STREQ(KeyName('0'), "0");
  EXPECT_STREQ(KeyName('9'), "9");
  EXPECT_STREQ(KeyName('A'), "A");
  EXPECT_STREQ(KeyName('Z'), "Z");
  EXPECT_STREQ(KeyName(96), "[Num] 0 ");  // the trailing blank is part of it
  EXPECT_STREQ(KeyName(105), "[Num] 9");
  EXPECT_STREQ(KeyName(107), "[Num] +");
  EXPECT_STREQ(KeyName(112), "F1");
  EXPECT_STREQ(KeyName(123), "F12");
  EXPECT_STREQ(KeyName(186), ":");
  EXPECT_STREQ(KeyName(187), ";");
  EXPECT_STREQ(KeyName(192), "@");
  EXPECT_STREQ(KeyName(220), "\\");
  EXPECT_STREQ(KeyName(222), "^");
  EXPECT_STREQ(KeyName(226), "_");
  EXPECT_STREQ(KeyName(240), "CapsLock");
  for (int unnamed : {0, 16, 17, 47, 58, 64, 91, 108, 124, 185, 193, 223, 241, 255}) {
    EXPECT_STREQ(KeyName(uint8_t(unnamed)), "") << unnamed;
  }
}

TEST(KeyNames, PrefixesOnlyForVirtualKeyModifiers) {
  EXPECT_STREQ(ModifierPrefix(5), "Shift+");
  EXPECT_STREQ(ModifierPrefix(9), "Ctrl+");
  EXPECT_STREQ(ModifierPrefix(13), "Ctrl+Shift+");
  for (int other : {0, 1, 4, 8, 12, 17, 0x19, 255}) EXPECT_STREQ(ModifierPrefix(uint8_t(other)), "");
}

}  // namespace
