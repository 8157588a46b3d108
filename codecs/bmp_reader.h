// Reading BMP files: uncompressed 1, 4, 8 and 24 bits, and 16 and 32 bits
// plain or with bit fields, into 8 bits with palette or 24 bits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decode_source.h"

// Decodes the source's bytes into its target and sets the source's status;
// false on failure, when the target holds no pixels. Source format BMP.
bool ReadBmp(DecodeSource* source);

// The same on bytes in memory.
Status ReadBmpBytes(const uint8_t* data, size_t size, ImageBuffer* target);
