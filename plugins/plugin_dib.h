// A picture as an image plug-in hands it to the viewer: a device-independent
// bitmap in two parts, its header with the colour table, and its bits.
#pragma once

#include <cstdint>
#include <vector>

struct PluginDib {
  // The 40-byte DibHeader (image/win_records.h; positive height, bottom-up,
  // compression 0) followed by clr_used (or 2^bit_count) RgbQuad entries
  // when bit_count is 8 or less.
  std::vector<uint8_t> info;
  // Rows bottom-up, each padded to a multiple of 4 bytes; 24-bit rows are
  // blue, green, red.
  std::vector<uint8_t> bits;
};

// What a decoding core is told to refuse: pictures beyond this many pixels
// (and a file is never trusted for more bytes than it holds).
constexpr uint64_t kPluginPixelLimit = uint64_t(1) << 28;
