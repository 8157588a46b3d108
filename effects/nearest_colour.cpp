#include "effects/nearest_colour.h"

#include <algorithm>
#include <cstring>

namespace {

int SquaredDistance(int b1, int g1, int r1, int b2, int g2, int r2) {
  return (b1 - b2) * (b1 - b2) + (g1 - g2) * (g1 - g2) + (r1 - r2) * (r1 - r2);
}

// Squared distances from a value to the nearest and the farthest level of
// the span low..low+7.
struct Reach {
  int nearest;
  int farthest;
};

Reach AxisReach(int value, int low, int high) {
  const int below = value - low, above = high - value;
  const int outside = value < low ? -below : value > high ? -above : 0;
  const int far = std::max(std::abs(below), std::abs(above));
  return {outside * outside, far * far};
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
  std::memcpy(palette_, palette, sizeof(RgbQuad) * static_cast<size_t>(count_));
  cache_ = PageBlock((sizeof(uint32_t) + 1) * kCacheSlots);
  cells_ = PageBlock(sizeof(Cell) * kCells);
  // Pages are only committed where cells are listed, so reserving for the
  // worst case costs nothing until it is used.
  candidates_ = PageBlock(kCells * static_cast<size_t>(count_));
  candidates_used_ = 0;
  return cache_ && cells_ && candidates_;
}

// An entry farther from every colour of the cell than some other entry is
// from every colour of it can never be the nearest there, not even equally
// near; every other entry is listed, in index order, so that the strict
// comparison in Search keeps the lower index on ties.
const NearestColour::Cell& NearestColour::CellOf(int blue, int green, int red) {
  const int cb = blue >> kCellShift, cg = green >> kCellShift, cr = red >> kCellShift;
  Cell& cell = reinterpret_cast<Cell*>(cells_.data())[(cr * kCellsPerAxis + cg) * kCellsPerAxis + cb];
  if (cell.count) return cell;

  const int span = (1 << kCellShift) - 1;
  const int lb = cb << kCellShift, lg = cg << kCellShift, lr = cr << kCellShift;
  int nearest[256];
  int bound = INT32_MAX;
  for (int i = 0; i < count_; ++i) {
    const RgbQuad& e = palette_[i];
    const Reach b = AxisReach(e.blue, lb, lb + span), g = AxisReach(e.green, lg, lg + span),
                r = AxisReach(e.red, lr, lr + span);
    nearest[i] = b.nearest + g.nearest + r.nearest;
    bound = std::min(bound, b.farthest + g.farthest + r.farthest);
  }
  uint8_t* list = candidates_.data() + candidates_used_;
  cell.first = candidates_used_;
  for (int i = 0; i < count_; ++i) {
    if (nearest[i] <= bound) list[cell.count++] = static_cast<uint8_t>(i);
  }
  candidates_used_ += cell.count;
  return cell;
}

uint8_t NearestColour::Search(int blue, int green, int red) {
  const Cell& cell = CellOf(blue, green, red);
  const uint8_t* list = candidates_.data() + cell.first;
  int best = list[0];
  int best_distance = INT32_MAX;
  for (uint32_t k = 0; k < cell.count; ++k) {
    const RgbQuad& e = palette_[list[k]];
    const int d = SquaredDistance(blue, green, red, e.blue, e.green, e.red);
    if (d < best_distance) best = list[k], best_distance = d;
  }
  return static_cast<uint8_t>(best);
}
