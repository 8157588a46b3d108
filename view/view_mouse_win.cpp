#include "view/view_mouse_win.h"

#include <cstdlib>

#include "app/app_state.h"
#include "app/command_seams_win.h"
#include "app/commands_win.h"
#include "app/menu_popup_win.h"
#include "view/navigator_win.h"
#include "view/slideshow_win.h"
#include "view/title_win.h"
#include "view/view_bar_win.h"
#include "view/view_control_win.h"
#include "view/view_cursor_win.h"
#include "view/view_dc_win.h"
#include "view/view_pan.h"
#include "view/view_pointer.h"
#include "view/view_zoom.h"
#include "view/view_zoom_rectangle.h"
#include "view/zoom_rectangle_win.h"

namespace {

constexpr int kFirstGestureCursor = 216;  // left, right, up, down
constexpr WPARAM kSystemMoveDrag = SC_MOVE + 2;

ApplicationState& A() { return App(); }
ViewPoint ToView(POINT p) { return {p.x, p.y}; }

int MouseBinding(int slot) { return A().settings.mouse_bindings[static_cast<size_t>(slot)]; }

// Bound commands go through the dispatcher; zoom commands keep the pixel
// under the pointer in place.
void RunBinding(int slot, const POINT* client) {
  int command = MouseBinding(slot);
  if (command == 0) return;
  if (IsZoomCommand(command)) {
    RunViewZoomCommand(command, client);
  } else {
    RunViewCommand(command);
  }
}

HCURSOR GestureCursor(int state) {
  int direction = GestureDirectionIndex(state);
  return LoadCursorW(A().instance, MAKEINTRESOURCEW(kFirstGestureCursor + direction));
}

// A left drag in the plain window: by the settings, move the window, draw a
// zoom rectangle or do nothing.
void DecideLeftDrag(HWND window, POINT client) {
  ApplicationState& app = A();
  if (app.display_mode == kDisplayView) {
    if (app.settings.view_left_drag_action == 1) {
      app.mouse_state = kStateIdle;
      ReleaseCapture();
      SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
      SendMessageW(window, WM_SYSCOMMAND, kSystemMoveDrag, 0);
      return;
    }
    if (app.settings.view_left_drag_action == 2 && ViewHasImage()) {
      StartZoomRectangle(window, app.drag_anchor);
      return;
    }
    app.mouse_state = kStateNoEffect;
    return;
  }
  if (app.settings.drag_zoom_rectangle && ViewHasImage()) {
    StartZoomRectangle(window, client);
  } else {
    app.mouse_state = kStateNoEffect;
  }
}

void DecideRightDrag() {
  ApplicationState& app = A();
  if (!ViewHasImage() || ScaledImageFitsClient(GeometryInUse())) {
    app.mouse_state = kStateNoEffect;
    return;
  }
  app.mouse_state = kStatePanning;
  SetPanningStretch();
  // A large enough view shows where the shown part lies while panning.
  if (ClientHoldsNavigator(ViewClientSize())) ShowNavigatorWhilePanning();
}

void DecideDrag(HWND window, POINT client) {
  ApplicationState& app = A();
  bool left = app.mouse_state == kStateLeftPressed;
  DragDirection direction =
      DragDirectionOf(ToView(app.drag_anchor), ToView(client), app.settings.drag_threshold);
  if (direction == DragDirection::kNone) return;
  int gesture_state = GestureState(left, direction);
  if (MouseBinding(GestureBindingSlot(gesture_state)) != 0) {
    app.mouse_state = gesture_state;
    app.drag_anchor = client;
    SetCursor(GestureCursor(gesture_state));
    return;
  }
  // Before deciding: a zoom rectangle then starts its corner at the anchor,
  // where the first XOR erase expects it.
  app.drag_last = client;
  if (left) {
    DecideLeftDrag(window, client);
  } else {
    DecideRightDrag();
  }
  SetViewCursor();
}

// Near the top edge the bar comes up, near the top-right corner the
// navigator; in full screen a hidden cursor comes back after a real move.
void HoverOver(POINT client) {
  ApplicationState& app = A();
  if (app.display_mode == kDisplayEdit) return;
  ViewPoint p = ToView(client);
  const bool near_top = app.settings.bar_on_hover && InBarHoverZone(p, ViewClientSize());
  if (app.bar_shown && !near_top && p.y >= kViewBarHeight) HideViewBar();
  if (near_top) {
    ShowViewBar();
  } else if (app.settings.navigator_on_hover && ViewHasImage() &&
             InNavigatorHoverZone(p, app.view_geometry)) {
    ShowNavigatorByHover();
  } else if (app.navigator_by_hover &&
             !(app.display_mode == kDisplayFullScreen &&
               InFullScreenNavigatorKeepZone(p, ViewClientSize()))) {
    HideNavigator();
  }
  WakeCursorOnMove(client);
}

}  // namespace

void OnViewButtonDown(HWND window, bool left, WPARAM keys, POINT client) {
  ApplicationState& app = A();
  if (app.slideshow_running) {
    StopSlideshow();
    return;
  }
  // Both buttons together (the rocker): the second press while the first
  // is still undecided.
  bool rocker = left ? app.mouse_state == kStateRightPressed && (keys & MK_RBUTTON)
                     : app.mouse_state == kStateLeftPressed && (keys & MK_LBUTTON);
  if (rocker) {
    app.mouse_state = kStateIdle;
    ReleaseCapture();
    RunBinding(kMouseBothButtons, &client);
    return;
  }
  if (app.mouse_state != kStateIdle) return;
  if (left && (keys & MK_CONTROL)) {
    if (app.cursor_hidden) {
      ShowViewCursor();
    } else if (ViewHasImage()) {
      StartZoomRectangle(window, client);
    }
    return;
  }
  app.mouse_state = left ? kStateLeftPressed : kStateRightPressed;
  app.drag_anchor = client;
  app.drag_last = client;
  SetCapture(window);
  ShowViewCursor();
}

void OnViewMouseMove(HWND window, WPARAM, POINT client) {
  ApplicationState& app = A();
  switch (app.mouse_state) {
    case kStateIdle:
      HoverOver(client);
      break;
    case kStateLeftPressed:
    case kStateRightPressed:
      DecideDrag(window, client);
      break;
    case kStateZoomRectangle:
      MoveZoomRectangle(client);
      break;
    case kStatePanning: {
      PanDelta d = MousePanDelta(ToView(app.drag_last), ToView(client), app.pan_step_shift);
      app.drag_last = client;
      PanViewBy(d.dx, d.dy);
      UpdateWindow(window);
      break;
    }
  }
}

void OnViewButtonUp(HWND window, bool left, POINT client) {
  ApplicationState& app = A();
  int state = app.mouse_state;
  if (left) {
    if (IsLeftGesture(state)) {
      app.mouse_state = kStateIdle;
      ReleaseCapture();
      RunBinding(GestureBindingSlot(state), &client);
      return;
    }
    if (state == kStateZoomRectangle) FinishZoomRectangle();
    if (ReleaseEndsOperation(true, state)) {
      app.mouse_state = kStateIdle;
      ReleaseCapture();
    }
    return;
  }
  if (ReleaseEndsOperation(false, state)) {
    app.mouse_state = kStateIdle;
    ReleaseCapture();
  }
  if (IsRightGesture(state)) {
    RunBinding(GestureBindingSlot(state), &client);
  } else if (state == kStatePanning) {
    ApplyViewStretchMode();
    RepaintView();
    if (!app.navigator_by_hover) HideNavigator();
  }
  if (state == kStateRightPressed) {
    HideViewBar();  // the menu opens over where the bar was
    ShowContextMenu(window, client);
  }
}

void OnViewDoubleClick(WPARAM keys, POINT client) {
  if ((keys & ~MK_LBUTTON) != 0) return;  // no other button or key
  RunBinding(kMouseLeftDoubleClick, &client);
}

void OnViewMiddleButton(WPARAM keys, POINT client) {
  if (A().slideshow_running) {
    StopSlideshow();
    return;
  }
  if (A().accelerators_suspended || (keys & ~MK_MBUTTON) != 0) return;
  RunBinding(kMouseMiddleButton, &client);
}

void OnViewExtraButton(int which, POINT client) {
  if (A().accelerators_suspended) return;
  RunBinding(which == 1 ? kMouseExtraButton1 : kMouseExtraButton2, &client);
}

void OnViewWheel(HWND window, int delta, WPARAM keys, POINT screen) {
  if (A().accelerators_suspended || keys != 0 || delta == 0) return;
  POINT client = screen;
  ScreenToClient(window, &client);
  RunBinding(delta > 0 ? kMouseWheelAway : kMouseWheelToward, &client);
}

void CancelViewDrag() {
  ApplicationState& app = A();
  int state = app.mouse_state;
  if (state == kStateIdle) return;
  if (state == kStateZoomRectangle) CancelZoomRectangle();
  app.mouse_state = kStateIdle;
  ReleaseCapture();
  if (state == kStatePanning) {
    ApplyViewStretchMode();
    RepaintView();
    if (!app.navigator_by_hover) HideNavigator();
  }
}

bool SetViewCursor() {
  ApplicationState& app = A();
  switch (app.mouse_state) {
    case kStateNoEffect:
      SetCursor(app.cursor_not_allowed);
      return true;
    case kStatePanning:
      SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
      return true;
    default:
      if (IsGesture(app.mouse_state)) {
        SetCursor(GestureCursor(app.mouse_state));
        return true;
      }
      return false;
  }
}
