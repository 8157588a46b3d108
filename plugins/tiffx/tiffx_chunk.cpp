#include "plugins/tiffx/tiffx_chunk.h"

#include <cstring>

#include "app/little_endian.h"
#include "codecs/big_endian.h"
#include "plugins/tiffx/tiffx_inflate.h"
#include "plugins/tiffx/tiffx_lzw.h"
#include "plugins/tiffx/tiffx_packbits.h"

namespace {

constexpr uint32_t kNone = 1;
constexpr uint32_t kLzw = 5;
constexpr uint32_t kPackBits = 32773;

// The most bytes `size` compressed bytes can decode to: an LZW code of at
// least 9 bits stands for at most 4096 bytes, a PackBits pair for 128, and
// deflate never does better than 1032 to 1 (plus a little for its header).
uint64_t MostDecodedBytes(uint32_t compression, uint64_t size) {
  switch (compression) {
    case kNone: return size;
    case kLzw: return size * 4096;
    case kPackBits: return size * 64;
    default: return size * 1032 + 1024;
  }
}

size_t Decompress(uint32_t compression, const uint8_t* data, size_t size, uint8_t* out, size_t capacity) {
  switch (compression) {
    case kNone: {
      const size_t count = size < capacity ? size : capacity;
      std::memcpy(out, data, count);
      return count;
    }
    case kLzw: return DecodeTiffLzw(data, size, out, capacity);
    case kPackBits: return DecodePackBits(data, size, out, capacity);
    default: return InflateTiffx(data, size, out, capacity);
  }
}

// Each sample was stored as the difference from the same sample of the
// pixel before it in the row.
void UndoDifferences8(uint8_t* row, uint64_t count, uint32_t step) {
  for (uint64_t i = step; i < count; ++i) row[i] = uint8_t(row[i] + row[i - step]);
}

void UndoDifferences16(const TiffBytes& b, uint8_t* row, uint64_t count, uint32_t step) {
  void (*store)(uint16_t, uint8_t*) = b.big_endian ? StoreU16Be : StoreU16;
  for (uint64_t i = step; i < count; ++i) {
    store(uint16_t(b.u16(row + 2 * i) + b.u16(row + 2 * (i - step))), row + 2 * i);
  }
}

void UndoPredictor(const TiffBytes& b, const TiffxFormat& f, const TiffxChunk& c, uint8_t* out) {
  const uint64_t samples = uint64_t{f.chunk_width} * f.samples_in_chunk;
  for (uint64_t y = 0; y < c.rows; ++y) {
    uint8_t* row = out + y * c.row_bytes;
    if (f.bits_per_sample == 16) {
      UndoDifferences16(b, row, samples, f.samples_in_chunk);
    } else {
      UndoDifferences8(row, samples, f.samples_in_chunk);
    }
  }
}

}  // namespace

bool TiffxChunkFits(const TiffBytes& b, const TiffxFormat& f, uint64_t index) {
  const uint32_t offset = f.offsets.At(b, uint32_t(index));
  const uint32_t size = f.byte_counts.At(b, uint32_t(index));
  if (!b.Holds(offset, size)) return false;
  return TiffxChunkAt(f, index).bytes() <= MostDecodedBytes(f.compression, size);
}

bool DecodeTiffxChunk(const TiffBytes& b, const TiffxFormat& f, uint64_t index, uint8_t* out) {
  const TiffxChunk c = TiffxChunkAt(f, index);
  const uint32_t offset = f.offsets.At(b, uint32_t(index));
  const uint32_t size = f.byte_counts.At(b, uint32_t(index));
  const size_t wanted = size_t(c.bytes());
  if (Decompress(f.compression, b.data + offset, size, out, wanted) != wanted) return false;
  if (f.predictor) UndoPredictor(b, f, c, out);
  return true;
}
