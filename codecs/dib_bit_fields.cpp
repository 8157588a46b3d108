#include "codecs/dib_bit_fields.h"

#include <bit>
#include <cstring>

namespace {

uint32_t ShiftDown(uint32_t value, int shift) { return shift >= 32 ? 0 : value >> shift; }

// Width of the channel at `shift`, from the highest set bit of its mask.
int ChannelWidth(uint32_t mask, int shift) { return std::bit_width(ShiftDown(mask, shift)); }

uint8_t Scale(uint64_t value, uint64_t maximum) {
  return static_cast<uint8_t>(value * 255 / maximum);
}

BitField MakeField(uint32_t mask, int shift, int width, uint8_t* table) {
  BitField field = {mask, shift, (uint64_t{1} << width) - 1, nullptr};
  if (width <= 16) {
    for (uint64_t v = 0; v <= field.maximum; ++v) table[v] = Scale(v, field.maximum);
    field.scale = table;
  }
  return field;
}

uint8_t ChannelValue(const BitField& field, uint32_t pixel) {
  const uint32_t value = ShiftDown(pixel & field.mask, field.shift);
  return field.scale ? field.scale[value] : Scale(value, field.maximum);
}

}  // namespace

bool MakeBitFields(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask, BitFields* fields) {
  const int blue_width = ChannelWidth(blue_mask, 0);
  const int green_width = ChannelWidth(green_mask, blue_width);
  const int red_width = ChannelWidth(red_mask, blue_width + green_width);
  if (blue_width == 0 || green_width == 0 || red_width == 0) return false;
  fields->blue = MakeField(blue_mask, 0, blue_width, fields->tables[0]);
  fields->green = MakeField(green_mask, blue_width, green_width, fields->tables[1]);
  fields->red = MakeField(red_mask, blue_width + green_width, red_width, fields->tables[2]);
  return true;
}

void ExpandBitFieldRow(const BitFields& fields, const uint8_t* row, int32_t width,
                       int bytes_per_pixel, uint8_t* out) {
  for (int32_t x = 0; x < width; ++x, row += bytes_per_pixel, out += 3) {
    uint32_t pixel = row[0] | (row[1] << 8);
    if (bytes_per_pixel == 4) pixel |= (uint32_t{row[2]} << 16) | (uint32_t{row[3]} << 24);
    out[0] = ChannelValue(fields.blue, pixel);
    out[1] = ChannelValue(fields.green, pixel);
    out[2] = ChannelValue(fields.red, pixel);
  }
}
