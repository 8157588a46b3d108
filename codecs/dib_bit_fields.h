// Pixels of 16 and 32 bits whose channels are given by masks. Channel widths
// are read from the masks on the assumption that blue sits lowest, green
// right above it and red above green; each channel is scaled to 0..255.
#pragma once

#include <cstdint>

struct BitField {
  uint32_t mask;
  int shift;           // 32 or more: the channel lies beyond the pixel
  uint64_t maximum;    // 2^width - 1
  const uint8_t* scale;  // value -> 0..255 for widths up to 16, else null
};

struct BitFields {
  BitField blue, green, red;
  uint8_t tables[3][65536];  // scales of the narrow channels
};

// False when a mask leaves its channel without width (a single value).
bool MakeBitFields(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask, BitFields* fields);

// One row of width pixels of 2 or 4 bytes each into blue, green, red bytes.
void ExpandBitFieldRow(const BitFields& fields, const uint8_t* row, int32_t width,
                       int bytes_per_pixel, uint8_t* out);
