#include "adjust/contrast_tables.h"

#include <algorithm>

namespace {

// The slope above 1 in units of 1/65536: flattening is four times finer
// than steepening, so both ends of the range stay useful.
int32_t Step(int32_t amount) { return amount <= 0 ? 512 * amount : 2048 * amount; }

}  // namespace

void ContrastTables::Build(int32_t pivot) {
  for (int32_t amount = kContrastAmounts.least; amount <= kContrastAmounts.most; ++amount) {
    const int32_t step = Step(amount);
    uint8_t* table = entries_[amount - kContrastAmounts.least];
    for (int32_t v = 0; v < 256; ++v) {
      // The shift rounds towards minus infinity on both sides of the pivot.
      const int32_t moved = v + ((step * (v - pivot)) >> 16);
      table[v] = static_cast<uint8_t>(std::clamp(moved, 0, 255));
    }
  }
}
