// Integer conversions for view arithmetic: the geometry is signed 32-bit,
// but products of image and client sizes and zoomed values may not fit, so
// they are computed wider and saturated on the way back.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

inline int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Truncation toward zero, as a C cast does, but never undefined: values past
// the range saturate and a value that is not a number gives 0.
inline int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}

// numerator / denominator to the nearest integer, halves away from zero.
// The denominator must be positive and below 2^62, so twice the remainder
// cannot overflow.
inline int64_t DivideRoundingHalfAway(int64_t numerator, int64_t denominator) {
  const int64_t twice_remainder = 2 * (numerator % denominator);
  int64_t quotient = numerator / denominator;
  if (twice_remainder >= denominator) ++quotient;
  if (twice_remainder <= -denominator) --quotient;
  return quotient;
}
