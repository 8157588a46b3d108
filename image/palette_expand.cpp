#include "image/palette_expand.h"

#include <cstring>

#include "image/image_buffer.h"

PageBlock ExpandTo24Bits(const RgbQuad* palette, const uint8_t* pixels, int32_t width,
                         int32_t height) {
  uint32_t block_bytes = 0;
  if (!PixelBlockBytes(width, height, 24, &block_bytes)) return {};
  PageBlock out(PixelAllocationBytes(block_bytes));
  if (!out) return out;

  // Each pixel is stored as one 32-bit word whose top byte is zero and is
  // overwritten by the next pixel; the last word of a row lands in the row's
  // padding or the next row's first byte (rewritten later), and the block's
  // 4 spare bytes take the very last one.
  uint32_t words[256];
  for (int i = 0; i < 256; ++i) {
    words[i] = palette[i].blue | (palette[i].green << 8) | (uint32_t{palette[i].red} << 16);
  }
  const size_t in_stride = RowStride(width, 8);
  const size_t out_stride = RowStride(width, 24);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = pixels + y * in_stride;
    uint8_t* dst = out.data() + y * out_stride;
    for (int32_t x = 0; x < width; ++x, dst += 3) std::memcpy(dst, &words[src[x]], 4);
  }
  return out;
}
