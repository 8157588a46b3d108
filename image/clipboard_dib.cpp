#include "image/clipboard_dib.h"

#include <cstring>

namespace {

size_t PaletteBytes(const ImageBuffer& image) {
  return image.header.bit_count == 8 ? sizeof(image.palette) : 0;
}

}  // namespace

size_t PackedDibBytes(const ImageBuffer& image) {
  uint32_t block = 0;
  if (!image.pixels ||
      !PixelBlockBytes(image.header.width, image.header.height, image.header.bit_count, &block))
    return 0;
  return sizeof(DibHeader) + PaletteBytes(image) + block;
}

void PackDib(const ImageBuffer& image, uint8_t* out) {
  DibHeader header = {};
  header.size = sizeof(DibHeader);
  header.width = image.header.width;
  header.height = image.header.height;
  header.planes = 1;
  header.bit_count = image.header.bit_count;
  header.x_pels_per_meter = image.header.x_pels_per_meter;
  header.y_pels_per_meter = image.header.y_pels_per_meter;
  std::memcpy(out, &header, sizeof(header));
  size_t at = sizeof(header);
  if (size_t palette = PaletteBytes(image)) {
    std::memcpy(out + at, image.palette, palette);
    at += palette;
  }
  std::memcpy(out + at, image.pixels, PackedDibBytes(image) - at);
}
