// The source image of the writer targets: made from the input's bytes, the
// palette first for an 8-bit image, then the pixels, freed with the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/image_buffer.h"

struct FuzzedImage {
  FuzzedImage() { ResetImageBuffer(&image); }
  ~FuzzedImage() { ReleasePixels(&image); }
  FuzzedImage(const FuzzedImage&) = delete;
  FuzzedImage& operator=(const FuzzedImage&) = delete;

  // False when the pixels cannot be allocated. With `repeat`, short inputs
  // are laid down again and again until the pixels are full.
  bool Fill(int width, int height, int bits, const uint8_t* bytes, size_t size, bool repeat) {
    if (AllocatePixels(&image, width, height, bits) != Status::kOk) return false;
    if (bits == 8) {
      const size_t palette = size < sizeof(image.palette) ? size : sizeof(image.palette);
      std::memcpy(image.palette, bytes, palette);
      bytes += palette, size -= palette;
    }
    const size_t block = size_t{Stride(image)} * height;
    for (size_t at = 0; size > 0 && at < block; at += size) {
      std::memcpy(image.pixels + at, bytes, size < block - at ? size : block - at);
      if (!repeat) break;
    }
    return true;
  }

  // The writer targets' common shape: the input's first three bytes choose
  // a width of 1 to 200, a height of 1 to 64 and 8 or 24 bits; the bytes
  // after the first `option_bytes` are the palette and pixels, repeated so
  // that short inputs still fill every row.
  bool FillFromInput(const uint8_t* data, size_t size, size_t option_bytes) {
    if (size < option_bytes || option_bytes < 3) return false;
    return Fill(data[0] % 200 + 1, data[1] % 64 + 1, (data[2] & 1) ? 8 : 24, data + option_bytes,
                size - option_bytes, true);
  }

  ImageBuffer image{};
};
