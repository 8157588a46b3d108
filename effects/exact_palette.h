// Images with no more colours than the target depth offers keep exactly
// their colours: each pixel is mapped to the entry equal to its colour, with
// no reduction and no dithering.
#pragma once

#include <cstdint>

#include "effects/index_rows.h"
#include "effects/source_image.h"

// Tries the exact palette with at most `limit` entries and writes the index
// rows. 24-bit sources list their colours in order of first appearance;
// 8-bit sources list the colours their pixels use in index order, a colour
// repeated in the palette only once. False when the image has more colours
// than limit; the target rows are then partly written. row_indices holds
// width bytes of scratch.
bool MapToExactPalette(const SourceImage& image, int limit, const IndexLayout& layout,
                       RgbQuad* palette, uint8_t* target, uint8_t* row_indices);
