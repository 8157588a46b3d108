// The rotation a lossless save applies after the display rotations so far.
#include <gtest/gtest.h>

#include "image/lossless_rotation.h"

namespace {

constexpr int kAgain = 5014, kRight = 5020, kLeft = 5021;

TEST(LosslessRotation, AgainSavesWhatIsShown) {
  for (int state = kRotationNone; state <= kFlipVertical; ++state) {
    EXPECT_EQ(LosslessRotationFor(kAgain, state), state);
  }
}

TEST(LosslessRotation, QuarterTurnsStepRoundTheCircle) {
  const int right_after[] = {kRotation90, kRotation180, kRotation270, kRotationNone};
  const int left_after[] = {kRotation270, kRotationNone, kRotation90, kRotation180};
  for (int state = kRotationNone; state <= kRotation270; ++state) {
    EXPECT_EQ(LosslessRotationFor(kRight, state), right_after[state]) << state;
    EXPECT_EQ(LosslessRotationFor(kLeft, state), left_after[state]) << state;
  }
}

TEST(LosslessRotation, MirroredStatesTurnFromUpright) {
  for (int state : {kFlipHorizontal, kFlipVertical}) {
    EXPECT_EQ(LosslessRotationFor(kRight, state), kRotation90);
    EXPECT_EQ(LosslessRotationFor(kLeft, state), kRotation270);
  }
}

}  // namespace
