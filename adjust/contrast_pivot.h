// The level contrast turns around: the mean luminance of the picture as it
// was when the adjustment opened.
#pragma once

#include <array>
#include <cstdint>

#include "image/image_buffer.h"

// Luminance weights in units of 1/1024: they sum to 1024, so a weighted
// sum shifted right by 10 is a grey level.
struct ContrastWeights {
  std::array<int32_t, 256> blue;
  std::array<int32_t, 256> green;
  std::array<int32_t, 256> red;
};

namespace contrast_detail {

constexpr std::array<int32_t, 256> Multiples(int32_t weight) {
  std::array<int32_t, 256> table{};
  for (int32_t v = 0; v < 256; ++v) table[v] = weight * v;
  return table;
}

}  // namespace contrast_detail

inline constexpr ContrastWeights kContrastWeights = {
    contrast_detail::Multiples(117), contrast_detail::Multiples(601), contrast_detail::Multiples(306)};
static_assert(kContrastWeights.blue[1] + kContrastWeights.green[1] + kContrastWeights.red[1] == 1024);

// Each row's three weighted sums are shifted to grey levels on their own
// before they join the totals, so the pivot runs a little below the exact
// mean on narrow pictures. 8-bit pictures count each pixel's palette colour.
int32_t ContrastPivot(const ImageBuffer& image);
