// GIF image data: palette indices turned into variable-length LZW codes,
// packed least significant bit first, the way DecodeGifLzw reads them.
#pragma once

#include <cstddef>
#include <cstdint>

// The most bytes the codes of `count` indices can take, whatever the
// indices are: at most one 12-bit code per index, plus the clear codes,
// the end code and room for the last whole word the packer stores.
size_t GifLzwEncodedBound(size_t count);

// Indices are fed in the order the decoder places them, in as many pieces
// as convenient. Strings are found through a hash on their last two parts,
// the prefix's code and the next index; when the table would pass 4095
// entries a clear code starts it afresh.
class GifLzwEncoder {
 public:
  // min_code_size 2 to 8, every index below 2^min_code_size; `out` holds
  // GifLzwEncodedBound(total indices) bytes. The first code is a clear code.
  GifLzwEncoder(int min_code_size, uint8_t* out);

  void Add(const uint8_t* indices, size_t count);
  // The pending string's code, the end code and the last partial byte.
  // Returns the bytes written to `out`.
  size_t Finish();

 private:
  static constexpr int kHashBits = 14;  // four slots per entry: short probes
  static constexpr uint32_t kSlots = 1u << kHashBits;

  void Reset();
  void Emit(uint32_t code);
  void Insert(uint32_t slot, uint32_t key);

  const uint32_t clear_;
  const int min_code_size_;
  uint8_t* const start_;
  uint8_t* out_;
  uint64_t bits_ = 0;  // codes not yet stored, lowest first
  int held_ = 0;
  uint32_t next_free_ = 0;
  int width_ = 0;
  int32_t current_ = -1;  // code of the string read so far; -1 before the first index
  // Each used slot holds key << 12 | code, the key being prefix << 8 | index.
  uint32_t slots_[kSlots];
};
