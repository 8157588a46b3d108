#include "codecs/png_crc.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

uint32_t PngCrc(uint32_t crc, const uint8_t* data, size_t size) {
  uint32_t c = ~crc;
  for (size_t i = 0; i < size; ++i) c = kTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return ~c;
}
