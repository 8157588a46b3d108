// Pictures for the depth converter's tests: rows in memory order (bottom
// row first), padded like the image record's.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "effects/depth_converter.h"
#include "effects/index_rows.h"
#include "image/page_memory.h"

struct Bgr {
  uint8_t blue, green, red;
  bool operator==(const Bgr&) const = default;
};

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  int bits = 24;
  size_t stride = 0;
  std::vector<uint8_t> rows;
  RgbQuad palette[256] = {};
};


struct Converted {
  Status status = Status::kEncodeFailed;
  DepthConverter converter;
  RgbQuad palette[256] = {};
  PageBlock pixels;

  // Index of pixel (x, y) in packed rows of the target depth.
  uint8_t Index(int x, int y) const {
    return IndexAt(pixels.data() + static_cast<size_t>(y) * converter.target_stride, x,
                   converter.target_bits);
  }
  Bgr Colour(int x, int y) const {
    const RgbQuad& c = palette[Index(x, y)];
    return {c.blue, c.green, c.red};
  }
};

enum class ConvertForm { kGeneral, kGif };

// x and y in memory order: y = 0 is the first row stored.
inline Picture TrueColourPicture(int32_t width, int32_t height, const std::function<Bgr(int, int)>& colour) {
  Picture p;
  p.width = width, p.height = height, p.bits = 24;
  p.stride = (3 * static_cast<size_t>(width) + 3) & ~size_t{3};
  p.rows.assign(p.stride * height, 0xEE);  // padding no conversion may read as pixels
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Bgr c = colour(x, y);
      uint8_t* px = &p.rows[y * p.stride + 3 * x];
      px[0] = c.blue, px[1] = c.green, px[2] = c.red;
    }
  }
  return p;
}

inline Picture IndexPicture(int32_t width, int32_t height, int bits,
                     const std::function<uint8_t(int, int)>& index) {
  Picture p;
  p.width = width, p.height = height, p.bits = bits;
  const size_t row_bytes = (static_cast<size_t>(width) * bits + 7) / 8;
  p.stride = (row_bytes + 3) & ~size_t{3};
  p.rows.assign(p.stride * height, 0);
  std::vector<uint8_t> indices(width);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) indices[x] = index(x, y);
    PackIndices(indices.data(), width, bits, &p.rows[y * p.stride]);
  }
  return p;
}

inline Converted ConvertPicture(const Picture& picture, int target_bits, bool dither, ConvertForm form = ConvertForm::kGeneral) {
  Converted out;
  out.converter.width = picture.width;
  out.converter.height = picture.height;
  out.converter.dither = dither;
  if (form == ConvertForm::kGif) {
    PrepareOneBytePerPixel(&out.converter, picture.bits, target_bits);
  } else {
    PrepareDepthConverter(&out.converter, picture.bits, target_bits);
  }
  out.pixels = PageBlock(size_t{out.converter.target_size} + 4);
  if (form == ConvertForm::kGif) {
    out.status = ConvertDepthForGif(out.converter, picture.palette, picture.rows.data(),
                                    out.palette, out.pixels.data());
    out.converter.target_bits = 8;  // its indices are whole bytes, so Index() reads bytes
  } else {
    out.status = ConvertDepth(out.converter, picture.palette, picture.rows.data(), out.palette,
                              out.pixels.data());
  }
  return out;
}
