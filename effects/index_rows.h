// Palette indices packed into rows: 1, 2 and 4 bits per index with the first
// pixel in the most significant bits, or one byte per index.
#pragma once

#include <cstddef>
#include <cstdint>

struct IndexLayout {
  int bits;       // per index: 1, 2, 4 or 8
  size_t stride;  // bytes from one output row to the next
};

// Packs width indices (each below 2^bits) into out; bits that follow the last
// pixel in its byte are zero.
void PackIndices(const uint8_t* indices, int32_t width, int bits, uint8_t* out);

// The index of pixel x in a packed row.
inline uint8_t IndexAt(const uint8_t* row, int32_t x, int bits) {
  if (bits == 8) return row[x];
  const int per_byte = 8 / bits;
  const int shift = 8 - bits - (x % per_byte) * bits;
  return static_cast<uint8_t>((row[x / per_byte] >> shift) & ((1 << bits) - 1));
}
