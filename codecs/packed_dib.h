// Bitmaps laid out as the clipboard holds them: a 40-byte info header, the
// colour table or bit-field masks, then the rows; no file header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"

// The colour table is always the depth's whole table (2, 16 or 256 entries),
// whatever colours used says. Source size is what the image would take as
// a BMP file. kReadFailed, before any pixel memory is taken, when the data
// is shorter than the header, the table or masks and every row the header
// announces; the other failures are as for BMP files.
Status ReadPackedDib(const uint8_t* data, size_t size, ImageBuffer* target);
