// Median-cut palette: boxes of pixels are split at the median of their most
// spread channel (green counts double, red one and a half times) until there
// are as many boxes as colours wanted; each box gives its median colour.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/status.h"
#include "image/win_records.h"

// The largest image the median cut takes: its index array stays below 4 GiB.
constexpr size_t kMedianCutMaxPixels = size_t{1} << 30;

// working: pixel_count pixels of blue, green, red and a spare byte. Writes
// palette entries 0 .. colours - 1 (colours 1 to 256) in box creation order.
// kEncodeFailed for kMedianCutMaxPixels or more, kNoMemory when work memory is
// refused.
Status MedianCutPalette(const uint8_t* working, size_t pixel_count, int colours,
                        RgbQuad* palette);
