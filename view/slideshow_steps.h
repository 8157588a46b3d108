// Where a slideshow goes next through the file list: whether it may start,
// and on each tick the entry to show and whether the show goes on after it.
#pragma once

#include <cstdint>

struct SlideshowStep {
  int32_t next_index = 0;
  bool continues = false;
};

// A show needs more than one entry; without repeat it cannot start on the
// last, which would leave it nothing to show.
bool SlideshowCanStart(int32_t current_index, int32_t entry_count, bool repeat);

// The entry after the current one. Without repeat the show stops once it
// has shown the last entry; with repeat it comes back to the first and
// never stops by itself.
SlideshowStep NextSlideshowStep(int32_t current_index, int32_t entry_count, bool repeat);

// The timer period for the interval setting in whole seconds, which the
// settings keep between 1 and 60.
uint32_t SlideshowPeriodMs(int32_t interval_seconds);
