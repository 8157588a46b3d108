// The colours a dithered palette keeps beside its median-cut colours: for
// black, white and the six primaries and their mixes, the image's own colour
// nearest to each, so that diffusion can reach the extremes the image has.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/win_records.h"

constexpr int kReferenceColourCount = 8;

// Black, white, blue, green, red, cyan, magenta, yellow.
extern const RgbQuad kReferenceColours[kReferenceColourCount];

// For the first `count` reference colours, the colour of the first pixel in
// memory order at the smallest squared distance. working: blue, green, red
// and a spare byte per pixel; pixel_count > 0.
void NearestPixelsToReferences(const uint8_t* working, size_t pixel_count, int count,
                               RgbQuad* out);
