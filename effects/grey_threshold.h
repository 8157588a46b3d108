// Black and white output: a pixel is white when its luminance, after any
// diffused error, is 128 or more.
#pragma once

#include <cstdint>

#include "effects/index_rows.h"
#include "effects/source_image.h"
#include "image/status.h"

// Palette entry 0 becomes black and 1 white. Sources of 8 or 24 bits.
// kNoMemory when the grey plane is refused.
Status ThresholdToBlackAndWhite(const SourceImage& image, bool dither, const IndexLayout& layout,
                                RgbQuad* palette, uint8_t* target);
