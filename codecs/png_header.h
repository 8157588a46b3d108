// The PNG header chunk and what it decides: the shape of every scanline and
// the depth of the image the viewer gets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/png_chunk.h"
#include "image/status.h"

enum PngColourType : uint8_t {
  kPngGrey = 0,
  kPngColour = 2,
  kPngPalette = 3,
  kPngGreyAlpha = 4,
  kPngColourAlpha = 6,
};

struct PngHeader {
  int32_t width = 0;
  int32_t height = 0;
  uint8_t depth = 0;
  uint8_t colour_type = 0;
  bool interlaced = false;

  int channels() const;
  // Bytes from one pixel to the next in a scanline, at least 1: the
  // distance the filters look to the left.
  size_t pixel_bytes() const;
  // Bytes of a scanline of `columns` pixels, without its filter type byte.
  uint64_t row_bytes(uint32_t columns) const;
  bool has_alpha() const { return colour_type == kPngGreyAlpha || colour_type == kPngColourAlpha; }
  int output_bits() const { return colour_type == kPngColour || colour_type == kPngColourAlpha ? 24 : 8; }
  uint32_t source_bits() const {
    return colour_type == kPngColour || colour_type == kPngColourAlpha ? depth * 3u : depth;
  }
};

// Checks the signature and the header chunk behind it and reads it.
Status ReadPngHeader(const uint8_t* data, size_t size, PngHeader* header);
