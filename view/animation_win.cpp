#include "view/animation_win.h"

#include "app/app_state.h"
#include "image/animation_frames.h"
#include "view/view_control_win.h"

namespace {

void SetFrameTimer(uint32_t period) {
  ApplicationState& app = App();
  if (period != 0 && app.view_window) SetTimer(app.view_window, kAnimationTimer, period, nullptr);
}

}  // namespace

void RestartAnimation() {
  ApplicationState& app = App();
  StopAnimation();
  if (app.display_mode == kDisplayEdit) return;
  SetFrameTimer(RestartPlayback(&app.animation, app.current.animation));
}

void StopAnimation() {
  ApplicationState& app = App();
  if (app.view_window) KillTimer(app.view_window, kAnimationTimer);
  StopPlayback(&app.animation);
}

void OnAnimationTick() {
  ApplicationState& app = App();
  KillTimer(app.view_window, kAnimationTimer);
  if (!app.current.animation) return StopPlayback(&app.animation);
  SetFrameTimer(AdvancePlayback(&app.animation, *app.current.animation));
  RepaintView();
}

const uint8_t* ShownViewPixels() {
  const ApplicationState& app = App();
  if (!app.current.animation || app.animation.frame >= app.current.animation->frame_count()) {
    return app.current.pixels;
  }
  return FrameCanvas(*app.current.animation, app.current.pixels, app.animation.frame);
}
