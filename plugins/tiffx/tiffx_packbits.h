// PackBits, the byte-oriented run-length code of TIFF (compression 32773).
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes `size` bytes into `out`, which holds `capacity` bytes; a run is
// cut off at the end of `out` and decoding ends there or at the end of the
// data. Returns the number of bytes written.
size_t DecodePackBits(const uint8_t* data, size_t size, uint8_t* out, size_t capacity);
