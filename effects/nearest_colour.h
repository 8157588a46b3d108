// Nearest palette entry by the sum of squared blue, green and red
// differences; on equal distance the lower index wins.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/page_memory.h"
#include "image/win_records.h"

// The rule itself: every entry compared, in index order.
uint8_t NearestColourExhaustive(const RgbQuad* palette, int count, uint8_t blue, uint8_t green,
                                uint8_t red);

// Gives exactly the exhaustive answer, faster. Colour space is cut into
// cells 8 levels wide; the first query in a cell lists the entries that can
// be nearest to any colour in it (those no farther from the cell than the
// farthest corner of the best entry's), usually a handful, and queries then
// compare only those. Answers are also remembered per colour, since images
// repeat their colours a great deal.
class NearestColour {
 public:
  // count: 1 to 256 entries. False when the tables cannot be allocated.
  bool Init(const RgbQuad* palette, int count);

  uint8_t Find(uint8_t blue, uint8_t green, uint8_t red) {
    const uint32_t key = blue | (green << 8) | (uint32_t{red} << 16) | kCached;
    const uint32_t slot = (key * 0x9E3779B1u) >> (32 - kCacheBits);
    uint32_t* keys = reinterpret_cast<uint32_t*>(cache_.data());
    uint8_t* answers = cache_.data() + sizeof(uint32_t) * kCacheSlots;
    if (keys[slot] != key) {
      keys[slot] = key;
      answers[slot] = Search(blue, green, red);
    }
    return answers[slot];
  }

 private:
  static constexpr int kCacheBits = 16;
  static constexpr uint32_t kCacheSlots = 1u << kCacheBits;
  static constexpr uint32_t kCached = 1u << 24;  // an empty slot matches no colour
  static constexpr int kCellShift = 3;           // cells of 8 x 8 x 8 colours
  static constexpr int kCellsPerAxis = 256 >> kCellShift;
  static constexpr size_t kCells = size_t{kCellsPerAxis} * kCellsPerAxis * kCellsPerAxis;

  struct Cell {
    uint32_t first;  // in the candidate pool
    uint32_t count;  // 0 until the cell is first met
  };

  uint8_t Search(int blue, int green, int red);
  const Cell& CellOf(int blue, int green, int red);

  RgbQuad palette_[256];
  int count_ = 0;
  PageBlock cache_;
  PageBlock cells_;       // kCells records
  PageBlock candidates_;  // room for every cell to list every entry
  uint32_t candidates_used_ = 0;
};
