// One 256-entry table per contrast amount around a pivot level: negative
// amounts flatten the picture towards the pivot (slope 1 + amount / 128),
// positive ones steepen it (slope 1 + amount / 32). The pivot itself never
// moves, so a picture all at the pivot level stays as it is.
#pragma once

#include <cstdint>

#include "adjust/tone_values.h"

class ContrastTables {
 public:
  explicit ContrastTables(int32_t pivot) { Build(pivot); }

  // Every opening of the adjustment turns around its own picture's pivot.
  void Build(int32_t pivot);

  // The table of an amount, taken into kContrastAmounts first.
  const uint8_t* For(int32_t amount) const {
    return entries_[Within(kContrastAmounts, amount) - kContrastAmounts.least];
  }

 private:
  uint8_t entries_[kContrastAmounts.most - kContrastAmounts.least + 1][256];
};
