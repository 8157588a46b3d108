// The frames of an animated image. The image record's own pixels are the
// first frame's canvas; the list owns the canvases of the frames after it,
// each a 24-bit picture of the whole logical screen laid out like the
// record's rows (bottom-up, stride padded to 4 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/page_memory.h"

struct AnimationFrame {
  PageBlock canvas;    // empty for the first frame, whose canvas is the image's pixels
  uint16_t delay = 0;  // hundredths of a second, as the file stores it
};

struct AnimationFrameList {
  std::vector<AnimationFrame> frames;
  int loop_count = 0;  // as the looping extension stores it: 0 plays for ever
  // Set when the decoder stopped before the file's end because the frames
  // would have taken more memory than an animation may hold.
  bool truncated = false;

  int frame_count() const { return static_cast<int>(frames.size()); }
};

// The pixel rows of frame `index` of an image whose pixels are `first`.
inline const uint8_t* FrameCanvas(const AnimationFrameList& list, const uint8_t* first, int index) {
  return index == 0 ? first : list.frames[static_cast<size_t>(index)].canvas.data();
}

// What all the canvases of one animation may take together.
constexpr uint64_t kAnimationMemoryLimit = uint64_t{1} << 30;
