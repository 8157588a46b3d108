// A plug-in's bitmap, as its two memory blocks hold it, taken into an image
// record: the header and colour table copied, 1- and 4-bit rows expanded to
// one palette index a byte, 8- and 24-bit rows copied. A plug-in's sizes are
// never trusted beyond the blocks it handed over.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"

// `info` holds the 40-byte header and up to 256 colour entries; `colour_depth`
// is the depth the plug-in reported for the source (0: the header's).
// kUnsupported for a compressed bitmap, a size that is not positive or a
// depth other than 1, 4, 8 and 24; kCorrupt when the bits are too short to
// expand. Source format 0.
Status TakePluginBitmap(const uint8_t* info, size_t info_size, const uint8_t* bits, size_t bits_size,
                        int colour_depth, ImageBuffer* target);
