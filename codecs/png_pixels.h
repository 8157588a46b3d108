// Turning unfiltered PNG scanlines into the viewer's rows: samples unpacked
// to one byte per pixel, colour reordered to blue, green, red, 16-bit
// samples cut to their high byte, gamma applied and transparency blended
// onto the background, all in the one pass over each row.
#pragma once

#include <cstdint>

#include "codecs/png_header.h"

struct PngPixelRule {
  const uint8_t* gamma = nullptr;  // 256 entries for colour output, or none
  bool blend_alpha = false;        // an alpha channel blended onto the background
  bool key_colour = false;         // one colour stands for the background
  uint8_t key[3] = {};             // red, green, blue as the samples hold them
  uint8_t background[3] = {};      // blue, green, red, as the output holds it
};

using PngRowConverter = void (*)(const uint8_t* scanline, uint32_t columns, uint8_t* out,
                                 const PngPixelRule& rule);

PngRowConverter ConverterFor(const PngHeader& header, const PngPixelRule& rule);

// round(a x v / 255): the weight of a channel under alpha a.
constexpr uint8_t Blend(uint32_t alpha, uint32_t value) {
  return static_cast<uint8_t>((alpha * value + 127) / 255);
}
