// The palette of a palette PNG, made from the depth converter's: each colour
// the pixels use listed once, and the entry that stands for transparency.
#pragma once

#include <cstdint>

#include "image/win_records.h"

struct PngPalette {
  RgbQuad entries[256] = {};
  int count = 0;
  uint8_t index_of[256] = {};  // converter index -> written index
};

// `used` marks the converter indices the pixels hold. Equal colours share
// the entry of their first index; unused indices get no entry. A 1-bit
// image keeps both of its entries, black and white, whatever it uses.
PngPalette MergePalette(const RgbQuad converted[256], const bool used[256], int bits);

// The entry of that colour, else the one at the smallest sum of squared
// channel differences (the lower index among equals).
int TransparentIndex(const PngPalette& palette, uint8_t red, uint8_t green, uint8_t blue);
