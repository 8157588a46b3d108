#include "view/mouse_states.h"

#include "app/settings_values.h"

// Gesture states and bindings list the directions in the same order.
int GestureState(bool left, DragDirection direction) {
  int first = left ? kStateLeftGestureLeft : kStateRightGestureLeft;
  return first + static_cast<int>(direction) - static_cast<int>(DragDirection::kLeft);
}

int GestureDirectionIndex(int state) {
  return IsLeftGesture(state) ? state - kStateLeftGestureLeft : state - kStateRightGestureLeft;
}

int GestureBindingSlot(int state) {
  int first = IsLeftGesture(state) ? kMouseLeftGestureLeft : kMouseRightGestureLeft;
  return first + GestureDirectionIndex(state);
}

bool ReleaseEndsOperation(bool left, int state) {
  if (left) {
    return IsLeftGesture(state) || state == kStateLeftPressed || state == kStateNoEffect ||
           state == kStateZoomRectangle;
  }
  return IsRightGesture(state) || state == kStateRightPressed || state == kStateNoEffect ||
         state == kStatePanning;
}
