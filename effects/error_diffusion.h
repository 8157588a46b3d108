// Floyd-Steinberg error diffusion in memory order (bottom row first, left to
// right, no serpentine). Shares that would leave the image are dropped, not
// handed to another neighbour, so edge pixels pass on less than their error.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct DiffusionTables {
  // share[k][e + 255] = e x k / 16 rounded half away from zero, for the
  // weights k = 7, 5, 3, 1; clamp[v + 255] bounds v to 0..255.
  std::array<std::array<int16_t, 511>, 4> share;
  std::array<uint8_t, 766> clamp;
};

namespace diffusion_detail {

// e / 16 is exact in binary floating point, and so is its product with a
// small weight, so this rounding sees the true value.
constexpr int16_t RoundHalfAway(double value) {
  return static_cast<int16_t>(value < 0 ? -static_cast<int>(-value + 0.5)
                                        : static_cast<int>(value + 0.5));
}

constexpr DiffusionTables MakeTables() {
  DiffusionTables t{};
  constexpr int kWeights[4] = {7, 5, 3, 1};
  for (int k = 0; k < 4; ++k) {
    for (int e = -255; e <= 255; ++e) t.share[k][e + 255] = RoundHalfAway((e * 0.0625) * kWeights[k]);
  }
  for (int v = -255; v <= 510; ++v) t.clamp[v + 255] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  return t;
}

}  // namespace diffusion_detail

inline constexpr DiffusionTables kDiffusion = diffusion_detail::MakeTables();

enum DiffusionShare { kShareRight = 0, kShareBelow = 1, kShareBelowLeft = 2, kShareBelowRight = 3 };

inline int16_t ErrorShare(DiffusionShare share, int error) {
  return kDiffusion.share[share][error + 255];
}

// A plane of kChannels bytes per pixel (pixel_bytes apart) into which the
// error of each visited pixel is spread.
template <int kChannels>
class DiffusionPlane {
 public:
  DiffusionPlane(uint8_t* plane, size_t pixel_bytes, size_t row_bytes, int32_t width,
                 int32_t height)
      : plane_(plane), pixel_bytes_(pixel_bytes), row_bytes_(row_bytes), width_(width),
        height_(height) {}

  uint8_t* Pixel(int32_t x, int32_t y) const {
    return plane_ + static_cast<size_t>(y) * row_bytes_ + static_cast<size_t>(x) * pixel_bytes_;
  }

  // error[c] = the visited pixel's value minus what it became, -255..255.
  void Spread(int32_t x, int32_t y, const int (&error)[kChannels]) const {
    const bool has_right = x + 1 < width_;
    const bool has_left = x > 0;
    if (has_right) Add(Pixel(x + 1, y), kShareRight, error);
    if (y + 1 >= height_) return;
    uint8_t* below = Pixel(x, y + 1);
    if (has_left) Add(below - pixel_bytes_, kShareBelowLeft, error);
    Add(below, kShareBelow, error);
    if (has_right) Add(below + pixel_bytes_, kShareBelowRight, error);
  }

 private:
  static void Add(uint8_t* pixel, DiffusionShare share, const int (&error)[kChannels]) {
    for (int c = 0; c < kChannels; ++c) {
      pixel[c] = kDiffusion.clamp[pixel[c] + ErrorShare(share, error[c]) + 255];
    }
  }

  uint8_t* plane_;
  size_t pixel_bytes_;
  size_t row_bytes_;
  int32_t width_;
  int32_t height_;
};
