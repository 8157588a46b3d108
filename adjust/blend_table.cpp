#include "adjust/blend_table.h"

// The scale factor is taken from the smaller of the two indices and fixed to
// 16 fractional bits, so every entry is one multiply and a shift; the table
// is symmetric by construction, not by arithmetic.
BlendTable::BlendTable() {
  for (int i = 0; i < 256; ++i) {
    entries_[0][i] = entries_[i][0] = 0;
    entries_[255][i] = entries_[i][255] = static_cast<uint8_t>(i);
  }
  for (uint32_t a = 1; a <= 254; ++a) {
    const uint32_t factor = a * 65536 / 255;
    for (uint32_t x = a; x <= 254; ++x) {
      const auto scaled = static_cast<uint8_t>((x * factor + 32768) >> 16);
      entries_[a][x] = entries_[x][a] = scaled;
    }
  }
}
