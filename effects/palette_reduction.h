// Reducing an image to a palette of 2, 4 ... 256 entries: the exact palette
// when the image has few enough colours, else median-cut colours (and, when
// dithering, the image colours nearest to fixed reference colours), every
// pixel mapped to its nearest entry.
#pragma once

#include <cstdint>

#include "effects/index_rows.h"
#include "effects/source_image.h"
#include "image/status.h"

struct ReductionPlan {
  int colours;         // palette entries: median-cut ones first, then the fixed ones
  int fixed_colours;   // taken from the first reference colours, 0 to 8
  bool dither;
  IndexLayout layout;  // target rows
};

// Sources of 8 or 24 bits. kEncodeFailed for images of 2^30 pixels or more
// that need the median cut, kNoMemory when work memory is refused.
Status ReducePalette(const SourceImage& image, const ReductionPlan& plan, RgbQuad* palette,
                     uint8_t* target);
