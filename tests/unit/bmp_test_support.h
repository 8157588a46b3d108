// BMP files built byte by byte for the codec's tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "app/little_endian.h"
#include "image/image_buffer.h"

struct BmpFile {
  uint32_t header_size = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t colours_used = 0;
  int32_t x_resolution = 0;
  int32_t y_resolution = 0;
  std::vector<uint8_t> masks;    // placed at offset 54, inside larger headers
  std::vector<uint8_t> palette;  // placed right behind the info header (or the masks)
  std::vector<uint8_t> pixels;   // placed at pixel_offset, by default right behind the palette
  std::optional<uint32_t> pixel_offset;

  std::vector<uint8_t> Bytes() const {
    const size_t header_end = 14 + header_size;
    size_t palette_at = header_end;
    if (header_size == 40 && !masks.empty()) palette_at += masks.size();
    const size_t pixels_at = pixel_offset.value_or(static_cast<uint32_t>(palette_at + palette.size()));
    std::vector<uint8_t> b(std::max({pixels_at + pixels.size(), palette_at + palette.size(), size_t{54}}));
    b[0] = 'B', b[1] = 'M';
    StoreU32(static_cast<uint32_t>(b.size()), &b[2]);
    StoreU32(static_cast<uint32_t>(pixels_at), &b[10]);
    StoreU32(header_size, &b[14]);
    StoreU32(static_cast<uint32_t>(width), &b[18]);
    StoreU32(static_cast<uint32_t>(height), &b[22]);
    StoreU16(1, &b[26]);
    StoreU16(bits, &b[28]);
    StoreU32(compression, &b[30]);
    StoreU32(static_cast<uint32_t>(x_resolution), &b[38]);
    StoreU32(static_cast<uint32_t>(y_resolution), &b[42]);
    StoreU32(colours_used, &b[46]);
    if (!masks.empty()) std::memcpy(&b[54], masks.data(), masks.size());
    if (!palette.empty()) std::memcpy(&b[palette_at], palette.data(), palette.size());
    if (!pixels.empty()) std::memcpy(&b[pixels_at], pixels.data(), pixels.size());
    return b;
  }
};

inline std::vector<uint8_t> Masks(uint32_t red, uint32_t green, uint32_t blue) {
  std::vector<uint8_t> m(12);
  StoreU32(red, &m[0]);
  StoreU32(green, &m[4]);
  StoreU32(blue, &m[8]);
  return m;
}

// Palette entries of blue, green, red and a reserved byte.
inline std::vector<uint8_t> PaletteBytes(std::initializer_list<uint32_t> rgb) {
  std::vector<uint8_t> p;
  for (uint32_t c : rgb) p.insert(p.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0});
  return p;
}

// The colour of a decoded pixel as 0xRRGGBB, counting rows from the top.
inline uint32_t PixelRgb(const ImageBuffer& image, int x, int y_from_top) {
  const uint8_t* row = RowFromTop(image, y_from_top);
  if (image.header.bit_count == 8) {
    const RgbQuad& c = image.palette[row[x]];
    return uint32_t(c.red) << 16 | c.green << 8 | c.blue;
  }
  return uint32_t(row[3 * x + 2]) << 16 | row[3 * x + 1] << 8 | row[3 * x];
}

// Every decoded pixel as red, green and blue bytes, top row first: the
// layout ImageMagick's rgb: output has.
inline std::vector<uint8_t> ImageRgb(const ImageBuffer& image) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < image.header.height; ++y) {
    for (int x = 0; x < image.header.width; ++x) {
      const uint32_t c = PixelRgb(image, x, y);
      rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  return rgb;
}
