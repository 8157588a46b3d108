// A photograph-like picture for the benchmarks: sky, hills, a lake and
// foliage-like texture under sensor-like noise. Many distinct colours,
// smooth gradients and repeated near-identical tones, as real pictures have.
#pragma once

#include <cstdint>
#include <vector>

#include "image/image_buffer.h"

// 24-bit rows, blue, green, red, stride-aligned, bottom row first.
std::vector<uint8_t> SyntheticPhotograph(int width, int height);

// A 24-bit image record over rows the caller keeps; never released.
ImageBuffer BorrowedImage(std::vector<uint8_t>& rows, int width, int height);
