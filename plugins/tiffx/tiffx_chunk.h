// One strip or tile from its compressed bytes to its samples: decompressed
// into a buffer of exactly the size it should fill, then the horizontal
// differencing undone.
#pragma once

#include <cstdint>

#include "plugins/tiffx/tiffx_format.h"

// Whether chunk `index` lies in the data and its bytes could possibly fill
// it by its compression's best ratio, so no buffer is sized by a claim the
// file cannot back.
bool TiffxChunkFits(const TiffBytes& bytes, const TiffxFormat& format, uint64_t index);

// Decodes chunk `index` (which fits) into `out`, which holds its bytes();
// false when the data ends before the chunk is full.
bool DecodeTiffxChunk(const TiffBytes& bytes, const TiffxFormat& format, uint64_t index, uint8_t* out);
