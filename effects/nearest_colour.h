// Nearest palette entry by the sum of squared blue, green and red
// differences; on equal distance the lower index wins.
#pragma once

#include <cstdint>

#include "image/page_memory.h"
#include "image/win_records.h"

// The rule itself: every entry compared, in index order.
uint8_t NearestColourExhaustive(const RgbQuad* palette, int count, uint8_t blue, uint8_t green,
                                uint8_t red);

// Gives exactly the exhaustive answer, faster: entries are searched outwards
// from the query's channel sum and the search stops where the sum alone
// rules out anything better, and answers are remembered per colour, since
// images repeat their colours a great deal.
class NearestColour {
 public:
  // count: 1 to 256 entries. False when the answer cache cannot be allocated.
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

  struct Entry {
    int sum;  // blue + green + red
    int blue, green, red;
    int index;
  };

  uint8_t Search(int blue, int green, int red) const;

  Entry entries_[256];  // by channel sum, then index
  int count_ = 0;
  PageBlock cache_;
};
