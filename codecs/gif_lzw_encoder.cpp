#include "codecs/gif_lzw_encoder.h"

#include <cstring>

namespace {

constexpr int kMaxCodeBits = 12;
// Entry 4095 is never made: a decoder's table then never fills, whatever
// it does when full.
constexpr uint32_t kTableLimit = (1u << kMaxCodeBits) - 1;
constexpr uint32_t kEmpty = UINT32_MAX;  // would need prefix 4095, which never exists

uint32_t Hash(uint32_t key, int bits) { return (key * 0x9E3779B1u) >> (32 - bits); }

}  // namespace

size_t GifLzwEncodedBound(size_t count) {
  const size_t codes = count + count / 1024 + 4;
  return codes / 2 * 3 + 16;
}

GifLzwEncoder::GifLzwEncoder(int min_code_size, uint8_t* out)
    : clear_(1u << min_code_size), min_code_size_(min_code_size), start_(out), out_(out) {
  Reset();
  Emit(clear_);
}

void GifLzwEncoder::Reset() {
  std::memset(slots_, 0xFF, sizeof(slots_));
  next_free_ = clear_ + 2;
  width_ = min_code_size_ + 1;
}

// Whole 32-bit words are stored as they fill; the bound leaves room for the
// word a flush may overrun.
void GifLzwEncoder::Emit(uint32_t code) {
  bits_ |= uint64_t{code} << held_;
  held_ += width_;
  if (held_ >= 32) {
    const uint32_t word = static_cast<uint32_t>(bits_);
    out_[0] = static_cast<uint8_t>(word);
    out_[1] = static_cast<uint8_t>(word >> 8);
    out_[2] = static_cast<uint8_t>(word >> 16);
    out_[3] = static_cast<uint8_t>(word >> 24);
    out_ += 4;
    bits_ >>= 32;
    held_ -= 32;
  }
}

// The decoder makes this entry one code later, so its width grows when the
// encoder's next free code passes the current width's range.
void GifLzwEncoder::Insert(uint32_t slot, uint32_t key) {
  slots_[slot] = key << kMaxCodeBits | next_free_;
  ++next_free_;
  if (next_free_ > (1u << width_) && width_ < kMaxCodeBits) ++width_;
}

void GifLzwEncoder::Add(const uint8_t* indices, size_t count) {
  size_t i = 0;
  if (current_ < 0) {
    if (count == 0) return;
    current_ = indices[i++];
  }
  uint32_t current = static_cast<uint32_t>(current_);
  for (; i < count; ++i) {
    const uint32_t index = indices[i];
    const uint32_t key = current << 8 | index;
    uint32_t slot = Hash(key, kHashBits);
    uint32_t held;
    while ((held = slots_[slot]) != kEmpty && held >> kMaxCodeBits != key) {
      slot = (slot + 1) & (kSlots - 1);
    }
    if (held != kEmpty) {
      current = held & kTableLimit;
      continue;
    }
    Emit(current);
    if (next_free_ == kTableLimit) {
      Emit(clear_);
      Reset();
    } else {
      Insert(slot, key);
    }
    current = index;
  }
  current_ = static_cast<int32_t>(current);
}

size_t GifLzwEncoder::Finish() {
  if (current_ >= 0) {
    Emit(static_cast<uint32_t>(current_));
    // The decoder adds an entry after that code too, and may widen for it.
    if (next_free_ + 1 > (1u << width_) && width_ < kMaxCodeBits) ++width_;
  }
  Emit(clear_ + 1);
  while (held_ > 0) {
    *out_++ = static_cast<uint8_t>(bits_);
    bits_ >>= 8;
    held_ -= 8;
  }
  held_ = 0;
  return static_cast<size_t>(out_ - start_);
}
