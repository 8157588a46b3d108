#include "view/slideshow_steps.h"

#include <algorithm>

bool SlideshowCanStart(int32_t current_index, int32_t entry_count, bool repeat) {
  if (entry_count < 2) return false;
  return repeat || current_index < entry_count - 1;
}

SlideshowStep NextSlideshowStep(int32_t current_index, int32_t entry_count, bool repeat) {
  // Widened, so that no index the list hands over can overflow the sums.
  const int64_t next = int64_t{current_index} + 1;
  if (repeat) return {next >= entry_count || next < 0 ? 0 : static_cast<int32_t>(next), true};
  const bool continues = int64_t{current_index} + 2 < entry_count;
  return {static_cast<int32_t>(std::min<int64_t>(next, INT32_MAX)), continues};
}

uint32_t SlideshowPeriodMs(int32_t interval_seconds) {
  return static_cast<uint32_t>(std::clamp(interval_seconds, 1, 60)) * 1000u;
}
