#include "codecs/png_crc.h"

#include <array>

namespace {

using Tables = std::array<std::array<uint32_t, 256>, 8>;

// Table 0 is the classic byte-at-a-time table; table k advances a byte
// through k further zero bytes, so eight bytes are folded in at once. Every
// byte of image data passes through here, so the bytewise loop would cost
// as much as unfiltering.
constexpr Tables MakeTables() {
  Tables t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][n] = c;
  }
  for (uint32_t n = 0; n < 256; ++n) {
    for (int k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
  }
  return t;
}

constexpr Tables kTables = MakeTables();

uint32_t Load32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t PngCrc(uint32_t crc, const uint8_t* data, size_t size) {
  uint32_t c = ~crc;
  const auto& t = kTables;
  for (; size >= 8; size -= 8, data += 8) {
    const uint32_t low = Load32(data) ^ c, high = Load32(data + 4);
    c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
        t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; size > 0; --size) c = t[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
  return ~c;
}
