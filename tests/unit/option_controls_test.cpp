#include "adjust/option_controls.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const OptionControl& Control(int id) {
  for (const OptionControl& c : OptionControls()) {
    if (c.id == id) return c;
  }
  ADD_FAILURE() << "no control " << id;
  return OptionControls().front();
}

TEST(OptionControls, StretchModeRadiosStoreThreeAndFour) {
  SettingsValues s;
  StoreOptionState(&s, Control(3221), true);
  EXPECT_EQ(s.stretch_mode, 4);
  EXPECT_TRUE(IsOptionChecked(s, Control(3221)));
  EXPECT_FALSE(IsOptionChecked(s, Control(3220)));
  StoreOptionState(&s, Control(3221), false);  // an unchecked radio stores nothing
  EXPECT_EQ(s.stretch_mode, 4);
  StoreOptionState(&s, Control(3220), true);
  EXPECT_EQ(s.stretch_mode, 3);
}

TEST(OptionControls, FlagRadiosAndCheckBoxesStoreZeroOrOne) {
  SettingsValues s;
  StoreOptionState(&s, Control(3225), true);
  EXPECT_EQ(s.fullscreen_keep_zoom, 1);
  EXPECT_TRUE(IsOptionChecked(s, Control(3225)));
  EXPECT_FALSE(IsOptionChecked(s, Control(3224)));
  StoreOptionState(&s, Control(3224), true);
  EXPECT_EQ(s.fullscreen_keep_zoom, 0);

  StoreOptionState(&s, Control(3136), true);
  EXPECT_EQ(s.rotate_by_exif, 1);
  StoreOptionState(&s, Control(3136), false);
  EXPECT_EQ(s.rotate_by_exif, 0);
  s.start_display_mode = 2;
  EXPECT_TRUE(IsOptionChecked(s, Control(3122)));
}

TEST(OptionControls, EachControlOnceAndEveryFieldItsOwn) {
  std::set<int> ids;
  for (const OptionControl& c : OptionControls()) {
    EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    EXPECT_EQ(c.page, c.id / 100 - 31) << c.id;  // 31xx on the first page, 36xx on the sixth
    // Setting one control's field leaves every field of the other groups alone.
    SettingsValues s, before;
    StoreOptionState(&s, c, true);
    for (const OptionControl& other : OptionControls()) {
      bool same_field = (c.flag && c.flag == other.flag) || (c.number && c.number == other.number);
      if (same_field) continue;
      EXPECT_EQ(IsOptionChecked(s, other), IsOptionChecked(before, other)) << c.id << " " << other.id;
    }
  }
}

}  // namespace
