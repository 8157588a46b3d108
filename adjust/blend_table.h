// The table the colour adjustments and the effects mix values with: entry
// [a][x] is x scaled by a / 255 and rounded, so mixing an adjusted value with
// the original at any weight costs two lookups and no division.
#pragma once

#include <cstdint>

class BlendTable {
 public:
  // Fills all 65536 entries; the owner builds it once and shares it.
  BlendTable();

  uint8_t Scale(uint8_t a, uint8_t x) const { return entries_[a][x]; }

  // `weight` parts of `adjusted` and 255 - weight parts of `source`. The two
  // scaled parts never add up to more than 255.
  uint8_t Blend(uint8_t weight, uint8_t adjusted, uint8_t source) const {
    return static_cast<uint8_t>(entries_[weight][adjusted] + entries_[255 - weight][source]);
  }

  // The 256 entries that scale by a / 255, for loops that keep one weight.
  const uint8_t* Row(uint8_t a) const { return entries_[a]; }

 private:
  uint8_t entries_[256][256];
};
