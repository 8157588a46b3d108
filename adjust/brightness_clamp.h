// Brightness adds the amount to every channel byte and limits the sum to a
// byte. One table of 766 bytes holds the limited sum for every byte plus
// every amount, so a channel costs one lookup and no comparison.
#pragma once

#include <cstdint>

#include "adjust/tone_values.h"

class BrightnessClamp {
 public:
  // 256 zeros (sums -255..0), 1 to 254, then 256 times 255 (sums 255..510).
  constexpr BrightnessClamp() : bytes_{} {
    for (int k = 1; k < kBytes; ++k) {
      const int sum = k - kBase;
      bytes_[k] = static_cast<uint8_t>(sum <= 0 ? 0 : sum >= 255 ? 255 : sum);
    }
  }

  // The 256 entries for an amount (taken into kBrightnessAmounts first):
  // entry v is v + amount limited to 0..255.
  constexpr const uint8_t* For(int32_t amount) const {
    return bytes_ + kBase + Within(kBrightnessAmounts, amount);
  }

 private:
  static constexpr int kBase = 255;  // the byte that holds sum 0
  static constexpr int kBytes = 766;
  uint8_t bytes_[kBytes];
};

inline constexpr BrightnessClamp kBrightnessClamp{};
