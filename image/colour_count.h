// Counting the distinct colours and palette indices an image uses, for the
// depth choices of the encoders and the information texts.
#pragma once

#include <cstdint>

// Distinct index values of 8-bit rows (padded to 4 bytes); stops at 256.
int CountPaletteIndices(int32_t width, int32_t height, const uint8_t* pixels);

// Distinct blue-green-red colours of 3-byte rows (padded to 4 bytes) or
// 4-byte rows (width x 4, the fourth byte ignored). Returns 0 when the 2 MiB
// bit set cannot be allocated.
uint32_t CountColours(int32_t width, int32_t height, const uint8_t* pixels, int bytes_per_pixel);
