#include "codecs/gif_writer.h"

#include <algorithm>

#include "app/little_endian.h"
#include "codecs/gif_interlace.h"
#include "codecs/gif_lzw_encoder.h"
#include "effects/depth_converter.h"
#include "effects/nearest_colour.h"
#include "image/page_memory.h"

namespace {

constexpr int32_t kWidestGif = 65535;
constexpr size_t kLongestSubBlock = 255;

// One palette index per byte, rows bottom-up as the image holds them.
struct GifIndices {
  PageBlock block;
  RgbQuad palette[256] = {};
  uint32_t width = 0;
  uint32_t height = 0;

  const uint8_t* PictureRow(uint32_t row_from_top) const {
    return block.data() + size_t{height - 1 - row_from_top} * width;
  }
};

Status ConvertForGif(const ImageBuffer& image, const GifWriteContext& c, GifIndices* indices) {
  DepthConverter converter;
  converter.width = image.header.width;
  converter.height = image.header.height;
  converter.dither = c.dither;
  PrepareOneBytePerPixel(&converter, image.header.bit_count, c.bits);
  if (converter.target_size == 0) return Status::kEncodeFailed;
  indices->block = PageBlock(size_t{converter.target_size} + 4);
  if (!indices->block) return Status::kNoMemory;
  indices->width = static_cast<uint32_t>(converter.width);
  indices->height = static_cast<uint32_t>(converter.height);
  const Status status = ConvertDepthForGif(converter, image.palette, image.pixels,
                                           indices->palette, indices->block.data());
  return status == Status::kOk || status == Status::kNoMemory ? status : Status::kEncodeFailed;
}

// Among the entries the pixels use, so that an unused entry of a short
// exact palette never takes the transparency while the image keeps its
// nearest colour opaque.
uint8_t TransparentIndex(const GifIndices& indices, uint32_t colour) {
  bool used[256] = {};
  const size_t count = size_t{indices.width} * indices.height;
  for (size_t i = 0; i < count; ++i) used[indices.block.data()[i]] = true;
  RgbQuad entries[256];
  uint8_t index_of[256];
  int listed = 0;
  for (int i = 0; i < 256; ++i) {
    if (!used[i]) continue;
    entries[listed] = indices.palette[i];
    index_of[listed++] = static_cast<uint8_t>(i);
  }
  const uint8_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  return index_of[NearestColourExhaustive(entries, listed, blue, green, red)];
}

// Header, screen descriptor, global table, the transparency's graphic
// control extension and the image descriptor: everything before the data.
size_t LayOutHead(const GifIndices& indices, const GifWriteContext& c, uint8_t* out) {
  uint8_t* p = std::copy_n("GIF89a", 6, out);
  const int bits = c.bits;
  const uint8_t background = c.transparency ? TransparentIndex(indices, c.transparent_colour) : 0;
  StoreU16(static_cast<uint16_t>(indices.width), p);
  StoreU16(static_cast<uint16_t>(indices.height), p + 2);
  p[4] = static_cast<uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1));
  p[5] = background;
  p[6] = 0;
  p += 7;
  for (int i = 0; i < 1 << bits; ++i, p += 3) {
    p[0] = indices.palette[i].red, p[1] = indices.palette[i].green, p[2] = indices.palette[i].blue;
  }
  if (c.transparency) {
    const uint8_t control[] = {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, background, 0x00};
    p = std::copy_n(control, sizeof(control), p);
  }
  *p++ = 0x2C;
  StoreU16(0, p);
  StoreU16(0, p + 2);
  StoreU16(static_cast<uint16_t>(indices.width), p + 4);
  StoreU16(static_cast<uint16_t>(indices.height), p + 6);
  p[8] = c.interlace ? 0x40 : 0;
  p += 9;
  *p++ = static_cast<uint8_t>(std::max(bits, 2));  // LZW minimum code size
  return static_cast<size_t>(p - out);
}

// Rows from the picture's top, or in the interlace passes.
void EncodeRows(const GifIndices& indices, bool interlace, GifLzwEncoder* encoder) {
  if (!interlace) {
    for (uint32_t row = 0; row < indices.height; ++row) {
      encoder->Add(indices.PictureRow(row), indices.width);
    }
    return;
  }
  for (int pass = 0; pass < kGifInterlacePasses; ++pass) {
    for (uint32_t row = kGifPassStart[pass]; row < indices.height; row += kGifPassStep[pass]) {
      encoder->Add(indices.PictureRow(row), indices.width);
    }
  }
}

// Sub-blocks of at most 255 bytes after their length, then the zero block
// and the trailer; gathered into large writes.
bool WriteSubBlocks(const uint8_t* data, size_t size, ByteSink* out) {
  constexpr size_t kBlocksPerWrite = 64;
  uint8_t staged[kBlocksPerWrite * (kLongestSubBlock + 1) + 2];
  size_t filled = 0;
  while (size > 0) {
    const size_t length = std::min(size, kLongestSubBlock);
    staged[filled++] = static_cast<uint8_t>(length);
    std::copy_n(data, length, staged + filled);
    filled += length;
    data += length;
    size -= length;
    if (filled > sizeof(staged) - (kLongestSubBlock + 1) - 2) {
      if (!out->Write(staged, filled)) return false;
      filled = 0;
    }
  }
  staged[filled++] = 0;
  staged[filled++] = ';';
  return out->Write(staged, filled);
}

}  // namespace

Status WriteGif(const ImageBuffer& image, const GifWriteContext& c, ByteSink* out) {
  const DibHeader& h = image.header;
  if (h.width > kWidestGif || h.height > kWidestGif) return Status::kCannotWrite;
  if (!image.pixels || (h.bit_count != 8 && h.bit_count != 24) || h.width <= 0 ||
      h.height <= 0 || c.bits < 1 || c.bits > 8) {
    return Status::kEncodeFailed;
  }
  GifIndices indices;
  if (Status s = ConvertForGif(image, c, &indices); s != Status::kOk) return s;
  const size_t count = size_t{indices.width} * indices.height;
  PageBlock data(GifLzwEncodedBound(count));
  if (!data) return Status::kNoMemory;
  GifLzwEncoder encoder(std::max(c.bits, 2), data.data());
  EncodeRows(indices, c.interlace, &encoder);
  const size_t data_size = encoder.Finish();

  uint8_t head[6 + 7 + 3 * 256 + 8 + 10 + 1];
  const size_t head_size = LayOutHead(indices, c, head);
  return out->Write(head, head_size) && WriteSubBlocks(data.data(), data_size, out)
             ? Status::kOk
             : Status::kCannotWrite;
}
