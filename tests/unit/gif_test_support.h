// GIF files built block by block for the reader's tests: any header, table,
// extension and image, with image data of literal codes only (a clear code
// before the code width would grow), so every index is known.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image_buffer.h"

namespace gif_test {

using Bytes = std::vector<uint8_t>;

struct Image {
  int left = 0, top = 0, width = 1, height = 1;
  Bytes indices;  // picture order, top row first
  bool interlaced = false;
  Bytes local;    // red, green, blue entries; empty for none
  int min_code_size = 2;
};

struct Control {
  int disposal = 0;
  int transparent = -1;
  uint16_t delay = 0;
};

inline int TableBits(size_t entries) {
  int bits = 1;
  while ((size_t{1} << bits) < entries) ++bits;
  return bits;
}

class GifBuilder {
 public:
  // The header and logical screen; `global` holds red, green, blue entries
  // (a power of two of them) or nothing.
  GifBuilder(int width, int height, const Bytes& global, uint8_t background = 0,
             const char* version = "GIF89a") {
    // Reserved up front: MinGW's GCC 12 otherwise warns of a bound the
    // growing vector never crosses.
    bytes_.reserve(13 + global.size());
    for (int i = 0; i < 6; ++i) bytes_.push_back(uint8_t(version[i]));
    U16(width);
    U16(height);
    bytes_.push_back(uint8_t(global.empty() ? 0 : 0x80 | (TableBits(global.size() / 3) - 1)));
    bytes_.push_back(background);
    bytes_.push_back(0);
    bytes_.insert(bytes_.end(), global.begin(), global.end());
  }

  GifBuilder& Loop(int count) {
    bytes_.insert(bytes_.end(), {0x21, 0xFF, 11});
    Append("NETSCAPE2.0");
    bytes_.insert(bytes_.end(), {3, 1, uint8_t(count), uint8_t(count >> 8), 0});
    return *this;
  }
  GifBuilder& Comment(const std::string& text) {
    bytes_.insert(bytes_.end(), {0x21, 0xFE, uint8_t(text.size())});
    Append(text);
    bytes_.push_back(0);
    return *this;
  }
  GifBuilder& GraphicControl(const Control& c) {
    const uint8_t packed = uint8_t((c.disposal << 2) | (c.transparent >= 0 ? 1 : 0));
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, packed, uint8_t(c.delay), uint8_t(c.delay >> 8),
                                 uint8_t(c.transparent >= 0 ? c.transparent : 0), 0});
    return *this;
  }
  GifBuilder& Frame(const Control& c, const Image& image) { return GraphicControl(c).Picture(image); }

  GifBuilder& Picture(const Image& image) {
    bytes_.push_back(0x2C);
    U16(image.left);
    U16(image.top);
    U16(image.width);
    U16(image.height);
    uint8_t packed = image.interlaced ? 0x40 : 0;
    if (!image.local.empty()) packed |= uint8_t(0x80 | (TableBits(image.local.size() / 3) - 1));
    bytes_.push_back(packed);
    bytes_.insert(bytes_.end(), image.local.begin(), image.local.end());
    bytes_.push_back(uint8_t(image.min_code_size));
    return SubBlocks(LiteralCodes(StoredOrder(image), image.min_code_size));
  }

  // Data as sub-blocks of at most 255 bytes and a terminator.
  GifBuilder& SubBlocks(const Bytes& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      bytes_.push_back(uint8_t(n));
      bytes_.insert(bytes_.end(), data.begin() + long(at), data.begin() + long(at + n));
    }
    bytes_.push_back(0);
    return *this;
  }
  GifBuilder& Raw(const Bytes& raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    return *this;
  }
  Bytes Trailer() const {
    Bytes b = bytes_;
    b.push_back(0x3B);
    return b;
  }
  const Bytes& bytes() const { return bytes_; }

  static Bytes StoredOrder(const Image& image) {
    if (!image.interlaced) return image.indices;
    Bytes stored;
    const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = start[pass]; y < image.height; y += step[pass]) {
        const auto row = image.indices.begin() + long(y) * image.width;
        stored.insert(stored.end(), row, row + image.width);
      }
    }
    return stored;
  }

  static Bytes LiteralCodes(const Bytes& indices, int min_code_size) {
    const int clear = 1 << min_code_size, width = min_code_size + 1;
    const size_t group = size_t(clear) - 2;
    Bytes out;
    uint32_t bits = 0;
    int held = 0;
    auto code = [&](int c) {
      bits |= uint32_t(c) << held;
      for (held += width; held >= 8; held -= 8, bits >>= 8) out.push_back(uint8_t(bits));
    };
    for (size_t i = 0; i < indices.size(); ++i) {
      if (i % group == 0) code(clear);
      code(indices[i]);
    }
    code(clear + 1);
    if (held > 0) out.push_back(uint8_t(bits));
    return out;
  }

 private:
  void U16(int v) { bytes_.insert(bytes_.end(), {uint8_t(v), uint8_t(v >> 8)}); }
  void Append(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  Bytes bytes_;
};

// The blue, green, red bytes of a 24-bit image's pixel, counted from the top.
inline uint32_t PixelRgb(const uint8_t* rows, int width, int height, int x, int y) {
  const uint8_t* p = rows + size_t(height - 1 - y) * RowStride(width, 24) + size_t(x) * 3;
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

}  // namespace gif_test
