#include "view/mouse_states.h"

#include <gtest/gtest.h>

#include "app/settings_values.h"

namespace {

// Each drag direction of each button reaches the binding stored for it, and
// the state it passes through names the same direction for the cursor.
TEST(MouseStates, GesturesRunTheBindingOfTheirButtonAndDirection) {
  const DragDirection directions[] = {DragDirection::kLeft, DragDirection::kRight,
                                      DragDirection::kUp, DragDirection::kDown};
  for (int i = 0; i < 4; ++i) {
    int right = GestureState(false, directions[i]);
    int left = GestureState(true, directions[i]);
    EXPECT_TRUE(IsRightGesture(right) && !IsLeftGesture(right)) << i;
    EXPECT_TRUE(IsLeftGesture(left) && !IsRightGesture(left)) << i;
    EXPECT_EQ(GestureBindingSlot(right), kMouseRightGestureLeft + i);
    EXPECT_EQ(GestureBindingSlot(left), kMouseLeftGestureLeft + i);
    EXPECT_EQ(GestureDirectionIndex(right), i);
    EXPECT_EQ(GestureDirectionIndex(left), i);
  }
  EXPECT_FALSE(IsGesture(kStateNoEffect));
  EXPECT_FALSE(IsGesture(kStatePanning));
}

// A release ends only what its own button started: releasing the left
// button in the middle of a pan goes on panning.
TEST(MouseStates, AReleaseEndsOnlyItsOwnButtonsOperation) {
  const int left_states[] = {kStateLeftPressed, kStateZoomRectangle, kStateLeftGestureLeft + 3};
  for (int state : left_states) {
    EXPECT_TRUE(ReleaseEndsOperation(true, state)) << state;
    EXPECT_FALSE(ReleaseEndsOperation(false, state)) << state;
  }
  const int right_states[] = {kStateRightPressed, kStatePanning, kStateRightGestureLeft + 1};
  for (int state : right_states) {
    EXPECT_TRUE(ReleaseEndsOperation(false, state)) << state;
    EXPECT_FALSE(ReleaseEndsOperation(true, state)) << state;
  }
  EXPECT_TRUE(ReleaseEndsOperation(true, kStateNoEffect));
  EXPECT_TRUE(ReleaseEndsOperation(false, kStateNoEffect));
  EXPECT_FALSE(ReleaseEndsOperation(true, kStateIdle));
  EXPECT_FALSE(ReleaseEndsOperation(false, kStateIdle));
}

}  // namespace
