// One 256-entry table per gamma amount: positive amounts lighten, negative
// ones darken, 0 is the identity. Shared with the other adjustments that
// correct gamma, so it is built once by its owner and only read after.
#pragma once

#include <cstdint>

#include "adjust/tone_values.h"

class GammaTables {
 public:
  GammaTables();

  // The table of an amount, taken into kGammaAmounts first.
  const uint8_t* For(int32_t amount) const {
    return entries_[Within(kGammaAmounts, amount) - kGammaAmounts.least];
  }

 private:
  uint8_t entries_[kGammaAmounts.most - kGammaAmounts.least + 1][256];
};

// The exponent of an amount: the amount picks an angle in whole degrees,
// from 5 at -100 through 45 at 0 to 85 at 100, and the exponent is the
// reciprocal of its tangent.
double GammaExponent(int32_t amount);
