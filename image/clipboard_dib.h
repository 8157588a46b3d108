// The image as the clipboard's CF_DIB holds it: the 40-byte header, all 256
// palette entries for an 8-bit image, then the rows as they lie in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"

// 0 when the image has no pixels or would not fit in 32 bits.
size_t PackedDibBytes(const ImageBuffer& image);

// Fills `out` (PackedDibBytes long, zeroed by the caller).
void PackDib(const ImageBuffer& image, uint8_t* out);
