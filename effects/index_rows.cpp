#include "effects/index_rows.h"

#include <cstring>

void PackIndices(const uint8_t* indices, int32_t width, int bits, uint8_t* out) {
  if (bits == 8) {
    std::memcpy(out, indices, static_cast<size_t>(width));
    return;
  }
  const int per_byte = 8 / bits;
  for (int32_t x = 0; x < width; x += per_byte) {
    uint8_t byte = 0;
    for (int i = 0; i < per_byte; ++i) {
      byte = static_cast<uint8_t>(byte << bits);
      if (x + i < width) byte = static_cast<uint8_t>(byte | indices[x + i]);
    }
    *out++ = byte;
  }
}
