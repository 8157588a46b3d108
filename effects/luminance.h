// Grey level of a colour, shared by the depth converter and the effects that
// work on brightness. Rounded per channel so that white is exactly 255.
#pragma once

#include <array>
#include <cstdint>

struct LuminanceTables {
  std::array<uint8_t, 256> blue;
  std::array<uint8_t, 256> green;
  std::array<uint8_t, 256> red;
};

namespace luminance_detail {

// floor(weight x i + 0.5) for non-negative values.
constexpr std::array<uint8_t, 256> Weighted(double weight) {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(static_cast<int>(weight * i + 0.5));
  return table;
}

}  // namespace luminance_detail

inline constexpr LuminanceTables kLuminance = {luminance_detail::Weighted(0.114),
                                               luminance_detail::Weighted(0.587),
                                               luminance_detail::Weighted(0.299)};
static_assert(kLuminance.blue[255] + kLuminance.green[255] + kLuminance.red[255] == 255);

inline uint8_t Luminance(uint8_t blue, uint8_t green, uint8_t red) {
  return static_cast<uint8_t>(kLuminance.blue[blue] + kLuminance.green[green] +
                              kLuminance.red[red]);
}
