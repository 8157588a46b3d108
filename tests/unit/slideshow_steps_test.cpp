// The slideshow's course through a list: where it may start, which entry
// each tick shows, and when it stops, with and without repeat.
#include <gtest/gtest.h>

#include <vector>

#include "view/slideshow_steps.h"

namespace {

// The entries a show started on `start` displays, tick by tick, until it
// stops (or for `ticks` ticks).
std::vector<int32_t> Shown(int32_t start, int32_t count, bool repeat, int ticks = 10) {
  std::vector<int32_t> shown;
  if (!SlideshowCanStart(start, count, repeat)) return shown;
  int32_t current = start;
  for (int t = 0; t < ticks; ++t) {
    const SlideshowStep step = NextSlideshowStep(current, count, repeat);
    shown.push_back(step.next_index);
    current = step.next_index;
    if (!step.continues) break;
  }
  return shown;
}

TEST(SlideshowSteps, WithoutRepeatItStopsRightAfterTheLastEntry) {
  EXPECT_EQ(Shown(0, 2, false), (std::vector<int32_t>{1})) << "two images: one tick, then it stops";
  EXPECT_EQ(Shown(0, 3, false), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(Shown(1, 3, false), (std::vector<int32_t>{2}));
  EXPECT_TRUE(Shown(2, 3, false).empty()) << "starting on the last image does nothing";
}

TEST(SlideshowSteps, WithRepeatItComesBackToTheFirstAndGoesOn) {
  EXPECT_EQ(Shown(1, 3, true, 5), (std::vector<int32_t>{2, 0, 1, 2, 0}));
  EXPECT_EQ(Shown(2, 3, true, 1), (std::vector<int32_t>{0})) << "on the last image the next is the first";
  const SlideshowStep beyond = NextSlideshowStep(7, 3, true);
  EXPECT_EQ(beyond.next_index, 0) << "an index past a shrunken list starts over";
  EXPECT_TRUE(beyond.continues);
}

TEST(SlideshowSteps, OneImageOrNoneIsNoShow) {
  for (bool repeat : {false, true}) {
    EXPECT_FALSE(SlideshowCanStart(0, 1, repeat));
    EXPECT_FALSE(SlideshowCanStart(0, 0, repeat));
  }
}

TEST(SlideshowSteps, PeriodIsTheIntervalInSecondsWithinItsRange) {
  EXPECT_EQ(SlideshowPeriodMs(1), 1000u);
  EXPECT_EQ(SlideshowPeriodMs(60), 60000u);
  EXPECT_EQ(SlideshowPeriodMs(0), 1000u);
  EXPECT_EQ(SlideshowPeriodMs(-5), 1000u);
  EXPECT_EQ(SlideshowPeriodMs(3600), 60000u);
}

}  // namespace
