// The LZW code of TIFF strips and tiles: codes of 9 to 12 bits, most
// significant bit first, 256 clearing the table and 257 ending the data,
// the code width growing one code early as TIFF encoders do; and the old
// style of the first TIFF writers, least significant bit first and
// without the early change.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes `size` bytes of LZW data into `out`, which holds `capacity`
// bytes; nothing is written beyond it. Decoding ends at the end code, at
// the end of the data, when `out` is full or at a code the table does not
// hold yet. Returns the number of bytes written.
size_t DecodeTiffLzw(const uint8_t* data, size_t size, uint8_t* out, size_t capacity);
