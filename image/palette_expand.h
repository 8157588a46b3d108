// Turns an 8-bit palette image into 24-bit pixels for the consumers that only
// handle blue-green-red bytes (printing, thumbnails, many adjustments).
#pragma once

#include <cstdint>

#include "image/page_memory.h"
#include "image/win_records.h"

// Returns a new block of 24-bit bottom-up rows padded to 4 bytes (plus the
// usual 4 spare bytes), or an empty block when the size does not fit in 32
// bits or memory is short.
PageBlock ExpandTo24Bits(const RgbQuad* palette, const uint8_t* pixels, int32_t width,
                         int32_t height);
