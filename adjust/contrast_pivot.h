// The level contrast turns around: the mean luminance of the picture as it
// was when the adjustment opened.
#pragma once

#include <array>
#include <cstdint>

#include "image/image_buffer.h"

// Luminance weights in units of 1/1024 for channel bytes 0, 1 and 2 (blue,
// green, red): they sum to 1024, so a weighted sum shifted right by 10 is a
// grey level.
inline constexpr int32_t kContrastChannelWeights[3] = {117, 601, 306};
static_assert(kContrastChannelWeights[0] + kContrastChannelWeights[1] + kContrastChannelWeights[2] ==
              1024);

// kContrastWeights[channel][v] is the channel's weight times v.
using ContrastWeightTable = std::array<int32_t, 256>;
inline constexpr std::array<ContrastWeightTable, 3> kContrastWeights = [] {
  std::array<ContrastWeightTable, 3> tables{};
  for (int channel = 0; channel < 3; ++channel) {
    for (int32_t v = 0; v < 256; ++v) tables[channel][v] = kContrastChannelWeights[channel] * v;
  }
  return tables;
}();

// Each row's three weighted sums are shifted to grey levels on their own
// before they join the totals, so the pivot runs a little below the exact
// mean on narrow pictures. 8-bit pictures count each pixel's palette colour.
int32_t ContrastPivot(const ImageBuffer& image);
