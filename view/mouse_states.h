// The view window's mouse as a state machine: which state a press or a drag
// leads to and which binding slot a finished gesture runs. The Windows layer
// (view_mouse_win.cpp) carries out what the states mean.
#pragma once

#include "view/view_pointer.h"

enum MouseState : int {
  kStateIdle = 0,
  kStateLeftPressed = 1,
  kStateRightPressed = 2,
  kStateRightGestureLeft = 3,  // ... 6: right gesture right, up, down
  kStateLeftGestureLeft = 7,   // ... 10: left gesture right, up, down
  kStateNoEffect = 11,
  kStatePanning = 12,
  kStateZoomRectangle = 13,
};

constexpr bool IsRightGesture(int state) {
  return state >= kStateRightGestureLeft && state < kStateRightGestureLeft + 4;
}
constexpr bool IsLeftGesture(int state) {
  return state >= kStateLeftGestureLeft && state < kStateLeftGestureLeft + 4;
}
constexpr bool IsGesture(int state) { return IsLeftGesture(state) || IsRightGesture(state); }

// The gesture state of a drag in `direction` (not kNone) with either button.
int GestureState(bool left, DragDirection direction);
// 0 to 3: left, right, up, down; the cursors come in the same order.
int GestureDirectionIndex(int state);
// The mouse binding (index into the bindings) that a gesture state runs.
int GestureBindingSlot(int state);

// Whether releasing a button in `state` ends the mouse operation.
bool ReleaseEndsOperation(bool left, int state);
