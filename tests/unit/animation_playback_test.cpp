#include "image/animation_playback.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

AnimationFrameList ListWithDelays(const std::vector<uint16_t>& delays, int loops) {
  AnimationFrameList list;
  for (uint16_t delay : delays) {
    AnimationFrame frame;
    frame.delay = delay;
    list.frames.push_back(std::move(frame));
  }
  list.loop_count = loops;
  return list;
}

// Every frame shown from the restart until the playback stops, at most `limit`.
std::vector<int> FramesShown(const AnimationFrameList& list, int limit) {
  AnimationPlayback playback;
  std::vector<int> shown;
  if (RestartPlayback(&playback, &list) == 0) return shown;
  shown.push_back(playback.frame);
  while (static_cast<int>(shown.size()) < limit && AdvancePlayback(&playback, list) != 0) {
    shown.push_back(playback.frame);
  }
  EXPECT_EQ(playback.frame, 0);
  return shown;
}

TEST(AnimationPlayback, TimerPeriodIsTheDelayInHundredthsButRacingDelaysSlowDown) {
  EXPECT_EQ(FrameDelayMs(0), 100u);
  EXPECT_EQ(FrameDelayMs(1), 100u);
  EXPECT_EQ(FrameDelayMs(2), 20u);
  EXPECT_EQ(FrameDelayMs(7), 70u);
  EXPECT_EQ(FrameDelayMs(65535), 655350u);
}

// The stored count is the repeats after the first showing: ImageMagick
// writes "-loop 2" as 1, and browsers play that twice.
TEST(AnimationPlayback, AStoredCountOfOnePlaysTwiceThroughAndRestsOnTheFirstFrame) {
  AnimationFrameList list = ListWithDelays({5, 6, 7}, 1);
  EXPECT_EQ(FramesShown(list, 100), (std::vector<int>{0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(FramesShown(ListWithDelays({5, 6}, 2), 100), (std::vector<int>{0, 1, 0, 1, 0, 1}));
  AnimationPlayback playback;
  list.loop_count = 65535;
  RestartPlayback(&playback, &list);
  EXPECT_EQ(playback.remaining_loops, 65536);
}

TEST(AnimationPlayback, LoopCountZeroPlaysForEver) {
  AnimationFrameList list = ListWithDelays({3, 4}, 0);
  AnimationPlayback playback;
  EXPECT_EQ(RestartPlayback(&playback, &list), 30u);
  for (int tick = 1; tick < 1000; ++tick) {
    ASSERT_EQ(AdvancePlayback(&playback, list), tick % 2 ? 40u : 30u);
    ASSERT_EQ(playback.frame, tick % 2);
  }
}

TEST(AnimationPlayback, StillImagesAndSingleFramesDoNotAnimate) {
  AnimationPlayback playback;
  EXPECT_EQ(RestartPlayback(&playback, nullptr), 0u);
  EXPECT_FALSE(playback.running);
  AnimationFrameList single = ListWithDelays({5}, 0);
  EXPECT_EQ(RestartPlayback(&playback, &single), 0u);
  EXPECT_EQ(AdvancePlayback(&playback, single), 0u);
  EXPECT_EQ(playback.frame, 0);
}

TEST(AnimationPlayback, RestartGoesBackToTheFirstFrameWithTheFullLoopCount) {
  AnimationFrameList list = ListWithDelays({2, 3, 4}, 1);
  AnimationPlayback playback;
  RestartPlayback(&playback, &list);
  AdvancePlayback(&playback, list);
  AdvancePlayback(&playback, list);
  EXPECT_EQ(RestartPlayback(&playback, &list), 20u);
  EXPECT_EQ(playback.frame, 0);
  EXPECT_EQ(FramesShown(list, 100).size(), 6u);
  StopPlayback(&playback);
  EXPECT_EQ(AdvancePlayback(&playback, list), 0u);
}

}  // namespace
