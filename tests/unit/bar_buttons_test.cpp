// When the view window's bar lets a button be used.
#include <gtest/gtest.h>

#include <set>

#include "view/bar_buttons.h"

namespace {

TEST(BarButtonEnabled, OneFileLeavesNothingToStepThroughOrShow) {
  BarFacts one = {true, false, true, 1};
  for (int step : {5700, 5701, 5702, 5703, 5250}) EXPECT_FALSE(BarButtonEnabled(step, one)) << step;
  EXPECT_TRUE(BarButtonEnabled(5311, one)) << "the list of one can still be shown";
  EXPECT_TRUE(BarButtonEnabled(5150, one));
  BarFacts two = one;
  two.entries = 2;
  for (int step : {5700, 5701, 5702, 5703, 5250}) EXPECT_TRUE(BarButtonEnabled(step, two)) << step;
}

TEST(BarButtonEnabled, ARunningSlideshowLeavesOnlyItsOwnButtonAndTheWindows) {
  BarFacts show = {true, true, true, 5};
  for (int command : {5010, 5152, 5150, 5210, 5220, 5700, 5703, 5311}) {
    EXPECT_FALSE(BarButtonEnabled(command, show)) << command;
  }
  EXPECT_TRUE(BarButtonEnabled(5250, show)) << "it stops the show";
  for (int command : {5310, 5540, 5530, 5550}) EXPECT_TRUE(BarButtonEnabled(command, show));
  BarFacts empty;
  EXPECT_TRUE(BarButtonEnabled(5010, empty)) << "opening needs nothing";
  EXPECT_FALSE(BarButtonEnabled(5210, empty)) << "no image to fit";
  EXPECT_FALSE(BarButtonEnabled(5311, empty));
}

TEST(ViewBarItems, EveryButtonHasItsOwnImageAndTheFullScreenGroupComesLast) {
  std::set<int> images;
  bool in_group = false;
  for (const BarItem& item : ViewBarItems()) {
    if (item.image != kBarSeparator) {
      EXPECT_TRUE(images.insert(item.image).second) << item.id;
    }
    if (IsFullScreenBarItem(item.id)) in_group = true;
    EXPECT_EQ(IsFullScreenBarItem(item.id), in_group) << item.id;
  }
  EXPECT_EQ(images.size(), 15u);
  EXPECT_EQ(ViewBarItems().back().id, 5550);
}

}  // namespace
