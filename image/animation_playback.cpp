#include "image/animation_playback.h"

namespace {

constexpr uint16_t kRacingDelay = 1;
constexpr uint16_t kFallbackDelay = 10;

uint32_t PeriodOfFrame(const AnimationFrameList& list, int frame) {
  return FrameDelayMs(list.frames[static_cast<size_t>(frame)].delay);
}

}  // namespace

uint32_t FrameDelayMs(uint16_t delay) {
  return uint32_t{delay <= kRacingDelay ? kFallbackDelay : delay} * 10;
}

uint32_t RestartPlayback(AnimationPlayback* playback, const AnimationFrameList* list) {
  StopPlayback(playback);
  if (!list || list->frame_count() < 2) return 0;
  playback->remaining_loops = list->loop_count > 0 ? list->loop_count + 1 : 0;
  playback->running = true;
  return PeriodOfFrame(*list, 0);
}

uint32_t AdvancePlayback(AnimationPlayback* playback, const AnimationFrameList& list) {
  if (!playback->running || list.frame_count() < 2) {
    StopPlayback(playback);
    return 0;
  }
  if (++playback->frame >= list.frame_count()) {
    playback->frame = 0;
    if (playback->remaining_loops > 0 && --playback->remaining_loops == 0) {
      StopPlayback(playback);
      return 0;
    }
  }
  return PeriodOfFrame(list, playback->frame);
}

void StopPlayback(AnimationPlayback* playback) {
  playback->frame = 0;
  playback->running = false;
}
