// Which frame of an animation is shown and how long until the next one:
// the view's animation timer asks this on every tick.
#pragma once

#include <cstdint>

#include "image/animation_frames.h"

struct AnimationPlayback {
  int frame = 0;
  int remaining_loops = 0;  // 0 plays for ever
  bool running = false;
};

// The timer period for a stored delay. Delays of 0 or 1 hundredths would
// race the timer; such files play at 10 hundredths, as browsers play them.
uint32_t FrameDelayMs(uint16_t delay);

// Back to the first frame with the file's loop count. The count says how
// often the animation repeats after its first showing, as browsers read it
// and as ImageMagick writes it, so a stored 2 plays three times through.
// Returns the period
// until the next frame, or 0 when there is nothing to animate (no list or a
// single frame), which leaves the playback stopped.
uint32_t RestartPlayback(AnimationPlayback* playback, const AnimationFrameList* list);

// One tick: the next frame, wrapping to the first and counting the loops.
// Returns the period until the next tick, or 0 when the loops have run out;
// the playback then rests on the first frame.
uint32_t AdvancePlayback(AnimationPlayback* playback, const AnimationFrameList& list);

// Stops on the first frame, which is what the rest of the program works on.
void StopPlayback(AnimationPlayback* playback);
