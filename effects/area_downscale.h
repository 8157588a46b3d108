// A small picture of an image, each pixel the average of the source area it
// covers: the Exif thumbnail's scaling.
#pragma once

#include <cstdint>

#include "image/image_buffer.h"

// target: a value-initialised or reset record; it receives a 24-bit image
// of width x height. source: 8 bits with palette or 24 bits. The sizes may
// also exceed the source's, which repeats source pixels. kUnsupported for
// a size that is not positive, kNoMemory when memory is refused.
Status ScaleByAreaAverage(const ImageBuffer& source, int32_t width, int32_t height,
                          ImageBuffer* target);
