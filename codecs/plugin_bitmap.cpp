#include "codecs/plugin_bitmap.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHeaderBytes = sizeof(DibHeader);
constexpr size_t kLargestInfo = kHeaderBytes + 256 * sizeof(RgbQuad);

uint64_t SourceStride(int32_t width, int bit_count) {
  return ((uint64_t(width) * uint64_t(bit_count) + 31) / 32) * 4;
}

// Rows of packed indices, each padded to 4 bytes, spread to a byte each,
// most significant bits first. Every source row must be there.
bool ExpandIndices(const uint8_t* bits, size_t bits_size, int bit_count, ImageBuffer* target) {
  const int32_t width = target->header.width, height = target->header.height;
  const uint64_t from_stride = SourceStride(width, bit_count);
  if (from_stride * uint64_t(height) > bits_size) return false;
  const uint64_t to_stride = RowStride(width, 8);
  const int per_byte = 8 / bit_count;
  const uint8_t mask = uint8_t((1u << bit_count) - 1);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* from = bits + from_stride * uint64_t(y);
    uint8_t* to = target->pixels + to_stride * uint64_t(y);
    for (int32_t x = 0; x < width; ++x) {
      const int shift = 8 - bit_count * (x % per_byte + 1);
      to[x] = uint8_t((from[x / per_byte] >> shift) & mask);
    }
  }
  return true;
}

}  // namespace

Status TakePluginBitmap(const uint8_t* info, size_t info_size, const uint8_t* bits, size_t bits_size,
                        int colour_depth, ImageBuffer* target) {
  if (!info || !bits || info_size < kHeaderBytes) return Status::kUnsupported;
  DibHeader header;
  std::memcpy(&header, info, kHeaderBytes);
  const int bit_count = header.bit_count;
  if (header.compression != 0 || header.width <= 0 || header.height <= 0) return Status::kUnsupported;
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 24) return Status::kUnsupported;
  const int stored_bits = bit_count == 24 ? 24 : 8;
  const Status allocated = AllocatePixels(target, header.width, header.height, stored_bits);
  if (allocated != Status::kOk) return allocated;
  // The header and the colour table as the plug-in gave them, within what
  // its block holds.
  const size_t info_copy = std::min(info_size, kLargestInfo);
  std::memcpy(&target->header, info, kHeaderBytes);
  std::memset(target->palette, 0, sizeof(target->palette));
  std::memcpy(target->palette, info + kHeaderBytes, info_copy - kHeaderBytes);
  target->header.bit_count = uint16_t(stored_bits);
  target->header.size = kHeaderBytes;
  target->header.size_image = 0;
  target->source_format = kSourcePlugin;
  target->source_bits_per_pixel = uint32_t(colour_depth > 0 ? colour_depth : bit_count);
  if (bit_count == 1 || bit_count == 4) {
    if (!ExpandIndices(bits, bits_size, bit_count, target)) {
      ReleasePixels(target);
      return Status::kCorrupt;
    }
    return Status::kOk;
  }
  const uint64_t block = RowStride(header.width, stored_bits) * uint64_t(header.height);
  std::memcpy(target->pixels, bits, size_t(std::min<uint64_t>(block, bits_size)));
  return Status::kOk;
}
