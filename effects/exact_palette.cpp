#include "effects/exact_palette.h"

#include <cstring>

namespace {

uint32_t ColourKey(uint8_t blue, uint8_t green, uint8_t red) {
  return blue | (green << 8) | (uint32_t{red} << 16);
}

// At most 256 colours in 1024 slots: probes stay short, and a key with the
// flag set never equals an empty slot.
class ColourTable {
 public:
  static constexpr uint32_t kUsed = 1u << 24;

  // The index of the colour, adding it when there is room; -1 when the
  // table already holds `limit` colours and this one is new.
  int Find(uint32_t colour, int limit, RgbQuad* palette) {
    const uint32_t key = colour | kUsed;
    uint32_t slot = (key * 0x9E3779B1u) >> 22;
    while (keys_[slot] != 0) {
      if (keys_[slot] == key) return indices_[slot];
      slot = (slot + 1) & 1023;
    }
    if (count_ == limit) return -1;
    keys_[slot] = key;
    indices_[slot] = static_cast<uint8_t>(count_);
    palette[count_] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                       static_cast<uint8_t>(colour >> 16), 0};
    return count_++;
  }

 private:
  uint32_t keys_[1024] = {};
  uint8_t indices_[1024] = {};
  int count_ = 0;
};

bool MapTrueColour(const SourceImage& image, int limit, const IndexLayout& layout,
                   RgbQuad* palette, uint8_t* target, uint8_t* row_indices) {
  ColourTable table;
  uint32_t last_colour = UINT32_MAX;
  int last_index = 0;
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t colour = ColourKey(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
      if (colour != last_colour) {
        last_index = table.Find(colour, limit, palette);
        if (last_index < 0) return false;
        last_colour = colour;
      }
      row_indices[x] = static_cast<uint8_t>(last_index);
    }
    PackIndices(row_indices, image.width, layout.bits, target + static_cast<size_t>(y) * layout.stride);
  }
  return true;
}

bool MapPaletteColours(const SourceImage& image, int limit, const IndexLayout& layout,
                       RgbQuad* palette, uint8_t* target, uint8_t* row_indices) {
  bool used[256] = {};
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x) used[row[x]] = true;
  }
  ColourTable table;
  uint8_t new_index[256] = {};
  for (int i = 0; i < 256; ++i) {
    if (!used[i]) continue;
    const RgbQuad& c = image.palette[i];
    const int found = table.Find(ColourKey(c.blue, c.green, c.red), limit, palette);
    if (found < 0) return false;
    new_index[i] = static_cast<uint8_t>(found);
  }
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x) row_indices[x] = new_index[row[x]];
    PackIndices(row_indices, image.width, layout.bits, target + static_cast<size_t>(y) * layout.stride);
  }
  return true;
}

}  // namespace

bool MapToExactPalette(const SourceImage& image, int limit, const IndexLayout& layout,
                       RgbQuad* palette, uint8_t* target, uint8_t* row_indices) {
  return image.bits == 8 ? MapPaletteColours(image, limit, layout, palette, target, row_indices)
                         : MapTrueColour(image, limit, layout, palette, target, row_indices);
}
