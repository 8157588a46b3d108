#include "effects/nearest_colour.h"

#include <algorithm>

namespace {

int SquaredDistance(int b1, int g1, int r1, int b2, int g2, int r2) {
  return (b1 - b2) * (b1 - b2) + (g1 - g2) * (g1 - g2) + (r1 - r2) * (r1 - r2);
}

}  // namespace

uint8_t NearestColourExhaustive(const RgbQuad* palette, int count, uint8_t blue, uint8_t green,
                                uint8_t red) {
  int best = 0;
  int best_distance = SquaredDistance(blue, green, red, palette[0].blue, palette[0].green, palette[0].red);
  for (int i = 1; i < count; ++i) {
    int d = SquaredDistance(blue, green, red, palette[i].blue, palette[i].green, palette[i].red);
    if (d < best_distance) best = i, best_distance = d;
  }
  return static_cast<uint8_t>(best);
}

bool NearestColour::Init(const RgbQuad* palette, int count) {
  count_ = std::clamp(count, 1, 256);
  for (int i = 0; i < count_; ++i) {
    const RgbQuad& c = palette[i];
    entries_[i] = {c.blue + c.green + c.red, c.blue, c.green, c.red, i};
  }
  std::sort(entries_, entries_ + count_, [](const Entry& a, const Entry& b) {
    return a.sum != b.sum ? a.sum < b.sum : a.index < b.index;
  });
  cache_ = PageBlock((sizeof(uint32_t) + 1) * kCacheSlots);
  return static_cast<bool>(cache_);
}

// The sums of two colours differ by at most sqrt(3) times their distance, so
// an entry whose sum differs by s is farther than d whenever s * s > 3 * d;
// as entries are ordered by sum, so is every entry beyond it on that side.
// Entries at exactly the bound are still compared, so ties keep the lower
// index as the exhaustive rule does.
uint8_t NearestColour::Search(int blue, int green, int red) const {
  const int sum = blue + green + red;
  const Entry* first = entries_;
  const Entry* last = entries_ + count_;
  const Entry* up = std::lower_bound(first, last, sum, [](const Entry& e, int s) { return e.sum < s; });
  const Entry* down = up;
  int best_distance = INT32_MAX;
  int best_index = 0;
  auto consider = [&](const Entry& e) {
    int d = SquaredDistance(blue, green, red, e.blue, e.green, e.red);
    if (d < best_distance || (d == best_distance && e.index < best_index)) {
      best_distance = d;
      best_index = e.index;
    }
  };
  auto beyond_reach = [&](const Entry& e) {
    const int s = e.sum - sum;
    return s * s > 3 * best_distance;
  };
  // best_distance starts at INT32_MAX; 3 * that would overflow, but the first
  // entry taken below always lowers it before any bound is tested against it.
  bool up_open = up != last, down_open = down != first;
  if (up_open) consider(*up++);
  else if (down_open) consider(*--down);
  up_open = up != last, down_open = down != first;
  while (up_open || down_open) {
    if (up_open) {
      if (beyond_reach(*up)) up_open = false;
      else consider(*up++), up_open = up != last;
    }
    if (down_open) {
      if (beyond_reach(down[-1])) down_open = false;
      else consider(*--down), down_open = down != first;
    }
  }
  return static_cast<uint8_t>(best_index);
}
