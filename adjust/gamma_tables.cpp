#include "adjust/gamma_tables.h"

#include <cmath>

namespace {

// Towards minus infinity, so that -1 and -2 already darken by a degree.
int32_t FloorDivide(int32_t dividend, int32_t divisor) {
  const int32_t quotient = dividend / divisor;
  return (dividend % divisor != 0 && (dividend < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

}  // namespace

double GammaExponent(int32_t amount) {
  const int32_t degrees = 45 + FloorDivide(2 * amount, 5);
  // The ten-decimal pi keeps the tables the same on every compiler and
  // library, whatever their own constant holds.
  const double radians = degrees * 3.1415926535 / 180;
  return 1 / (std::sin(radians) / std::cos(radians));
}

GammaTables::GammaTables() {
  for (int32_t amount = kGammaAmounts.least; amount <= kGammaAmounts.most; ++amount) {
    const double exponent = GammaExponent(amount);
    uint8_t* table = entries_[amount - kGammaAmounts.least];
    table[0] = 0;
    for (int j = 1; j < 256; ++j) {
      table[j] = static_cast<uint8_t>(std::floor(255 * std::pow(j / 255.0, exponent) + 0.5));
    }
  }
}
