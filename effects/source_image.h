// The converter's view of the current image: rows bottom-up, padded to 4
// bytes (48-bit rows unpadded), read in memory order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effects/depth_converter.h"
#include "image/page_memory.h"

struct SourceImage {
  const RgbQuad* palette;
  const uint8_t* pixels;
  int32_t width;
  int32_t height;
  int bits;
  size_t stride;

  const uint8_t* Row(int32_t y) const { return pixels + static_cast<size_t>(y) * stride; }
  size_t PixelCount() const { return static_cast<size_t>(width) * static_cast<size_t>(height); }
};

// False when the size is not positive or the rows would not fit in 32 bits.
bool MakeSourceImage(const DepthConverter& converter, const RgbQuad* palette,
                     const uint8_t* pixels, SourceImage* image);

// Every pixel of an 8- or 24-bit source as blue, green, red and a zero byte,
// rows of 4 x width bytes: the plane that palette reductions measure and
// diffuse into. Empty when memory is refused or it would reach 4 GiB.
PageBlock MakeWorkingCopy(const SourceImage& image);

// The luminance of every pixel of an 8- or 24-bit source, rows of width
// bytes placed plane_stride apart.
void WriteGreyRows(const SourceImage& image, uint8_t* plane, size_t plane_stride);
