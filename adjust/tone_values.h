// The four values of a three-channel tone adjustment and what they mean for
// the picture: which amount each channel takes, and whether anything changes.
#pragma once

#include <algorithm>
#include <cstdint>

struct ToneValues {
  bool linked;    // the all value applies to every channel
  int32_t all;
  int32_t blue;
  int32_t green;
  int32_t red;
};

// The amounts an adjustment accepts, the same for all four values.
struct AmountRange {
  int32_t least;
  int32_t most;
};
inline constexpr AmountRange kGammaAmounts = {-100, 100};
inline constexpr AmountRange kBrightnessAmounts = {-255, 255};
inline constexpr AmountRange kContrastAmounts = {-100, 100};

// Amounts arrive from edit boxes read without a lock, so a table lookup
// keeps them inside the tables it has.
constexpr int32_t Within(const AmountRange& range, int32_t amount) {
  return std::clamp(amount, range.least, range.most);
}

struct ChannelAmounts {
  int32_t blue;
  int32_t green;
  int32_t red;
};

// While linked only the all value counts, whatever the channel values hold.
constexpr ChannelAmounts AmountsOf(const ToneValues& values) {
  if (values.linked) return {values.all, values.all, values.all};
  return {values.blue, values.green, values.red};
}

// Every tone adjustment leaves the picture as it is at amount 0, so the
// values change it exactly when some channel's amount is not 0.
constexpr bool ChangesPicture(const ToneValues& values) {
  const ChannelAmounts amounts = AmountsOf(values);
  return amounts.blue != 0 || amounts.green != 0 || amounts.red != 0;
}
