// Deflate-compressed strips and tiles (compressions 8 and 32946): a zlib
// stream each.
#pragma once

#include <cstddef>
#include <cstdint>

// Inflates the zlib stream of `size` bytes into `out`, which holds
// `capacity` bytes; stops when `out` is full, at the end of the stream or
// at an error. Returns the number of bytes written.
size_t InflateTiffx(const uint8_t* data, size_t size, uint8_t* out, size_t capacity);
