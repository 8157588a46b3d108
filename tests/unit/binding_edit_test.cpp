#include "adjust/binding_edit.h"

#include <gtest/gtest.h>

#include "app/key_names.h"

namespace {

constexpr int kZ = 'Z';

BindingEdit Fresh() {
  BindingEdit edit;
  edit.keys = DefaultBindingSlots();
  edit.mouse = DefaultMouseSlots();
  return edit;
}

int RowOf(int command) { return SlotOfCommand(command); }

TEST(BindingEdit, CtrlZIsRefusedForASecondCommandWhileShiftZIsFree) {
  BindingEdit edit = Fresh();
  const int first = RowOf(5700), second = RowOf(5702);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(AssignKey(&edit, first, kZ, true, false), BindingRefusal::kNone);
  EXPECT_EQ(edit.keys[first].flags, kAccelVirtKey | kAccelControl);
  EXPECT_EQ(edit.keys[first].key, kZ);
  EXPECT_TRUE(edit.keys_changed);
  EXPECT_EQ(AssignKey(&edit, second, kZ, true, false), BindingRefusal::kTaken);
  EXPECT_EQ(AssignKey(&edit, second, kZ, false, true), BindingRefusal::kNone);
  EXPECT_EQ(edit.keys[second].flags, kAccelVirtKey | kAccelShift);
  EXPECT_STREQ(ModifierPrefix(edit.keys[second].flags), "Shift+");
  EXPECT_EQ(AssignKey(&edit, second, kZ, true, true), BindingRefusal::kNone) << "Ctrl+Shift+Z";
}

TEST(BindingEdit, EveryRefusalHasItsReason) {
  BindingEdit edit = Fresh();
  EXPECT_EQ(AssignKey(&edit, kNoSelection, kZ, false, false), BindingRefusal::kNoRow);
  EXPECT_EQ(AssignKey(&edit, 0, 0, false, false), BindingRefusal::kNoChoice);
  EXPECT_EQ(AssignMouse(&edit, 0, kNoSelection), BindingRefusal::kNoChoice);
  EXPECT_EQ(AssignMouse(&edit, kBindingSlotCount, 3), BindingRefusal::kNoRow);
  EXPECT_EQ(RemoveKey(&edit, kNoSelection), BindingRefusal::kNoRow);
  EXPECT_EQ(RemoveMouse(&edit, kNoSelection), BindingRefusal::kNoRow);
  EXPECT_FALSE(edit.keys_changed || edit.mouse_changed);
}

TEST(BindingEdit, ABoundMouseSlotIsRefusedEvenForItsOwnCommandAndRemovingMovesIt) {
  BindingEdit edit = Fresh();
  const int row = RowOf(5550);  // the double click's default command
  ASSERT_EQ(MouseSlotOfRow(edit, row), kMouseLeftDoubleClick);
  EXPECT_EQ(AssignMouse(&edit, row, kMouseLeftDoubleClick), BindingRefusal::kTaken);
  EXPECT_EQ(AssignMouse(&edit, row, kMouseBothButtons), BindingRefusal::kTaken);
  EXPECT_FALSE(edit.mouse_changed);

  EXPECT_EQ(AssignMouse(&edit, row, kMouseExtraButton1), BindingRefusal::kNone)
      << "a free slot takes the command, which leaves its old slot";
  EXPECT_EQ(edit.mouse[kMouseLeftDoubleClick], 0);
  EXPECT_EQ(MouseSlotOfRow(edit, row), kMouseExtraButton1);

  EXPECT_EQ(RemoveMouse(&edit, RowOf(5310)), BindingRefusal::kNone);
  EXPECT_EQ(edit.mouse[kMouseBothButtons], 0);
  EXPECT_EQ(AssignMouse(&edit, row, kMouseBothButtons), BindingRefusal::kNone);
  EXPECT_EQ(edit.mouse[kMouseExtraButton1], 0);
  EXPECT_TRUE(edit.mouse_changed);
}

TEST(BindingEdit, RemovingFromARowWithoutAKeyStillCountsAsAChange) {
  BindingEdit edit = Fresh();
  int row = 0;
  while (edit.keys[row].key != 0) ++row;
  EXPECT_EQ(RemoveKey(&edit, row), BindingRefusal::kNone);
  EXPECT_EQ(edit.keys[row].key, 0);
  EXPECT_EQ(edit.keys[row].flags, kAccelVirtKey);
  EXPECT_TRUE(edit.keys_changed);
}

TEST(BindingEdit, ResettingOneModeLeavesTheOtherAlone) {
  BindingEdit edit = Fresh();
  RemoveKey(&edit, RowOf(5010));
  RemoveMouse(&edit, RowOf(5550));
  BindingEdit keys = edit;
  keys.mouse_changed = false;
  ResetKeys(&keys);
  EXPECT_EQ(keys.keys, DefaultBindingSlots());
  EXPECT_EQ(keys.mouse, edit.mouse);
  EXPECT_FALSE(keys.mouse_changed);

  BindingEdit mouse = edit;
  mouse.keys_changed = false;
  ResetMouse(&mouse);
  EXPECT_EQ(mouse.mouse, DefaultMouseSlots());
  EXPECT_EQ(mouse.keys, edit.keys);
  EXPECT_FALSE(mouse.keys_changed);
}

TEST(BindingEdit, NinetyOneKeysCanBeBound) {
  const std::vector<uint8_t>& keys = BindableKeys();
  EXPECT_EQ(keys.size(), 91u);
  EXPECT_EQ(keys.front(), 8);  // BackSpace
  for (uint8_t key : keys) EXPECT_STRNE(KeyName(key), "");
}

TEST(BindingEdit, FilterWordsMustAllOccurInTheNameOrTheKey) {
  EXPECT_TRUE(RowMatchesFilter(u"File - Open...", u"Ctrl+O", u""));
  EXPECT_TRUE(RowMatchesFilter(u"File - Open...", u"Ctrl+O", u"open"));
  EXPECT_TRUE(RowMatchesFilter(u"File - Open...", u"Ctrl+O", u"  FILE  open "));
  EXPECT_TRUE(RowMatchesFilter(u"File - Open...", u"Ctrl+O", u"ctrl+o"));
  EXPECT_FALSE(RowMatchesFilter(u"File - Open...", u"Ctrl+O", u"open save"));
  EXPECT_FALSE(RowMatchesFilter(u"File - Open...", u"", u"ctrl"));
}

}  // namespace
