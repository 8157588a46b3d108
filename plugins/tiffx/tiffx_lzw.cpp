#include "plugins/tiffx/tiffx_lzw.h"

#include <vector>

namespace {

constexpr uint32_t kClearCode = 256;
constexpr uint32_t kEndCode = 257;
constexpr uint32_t kFirstFree = 258;
constexpr uint32_t kTableSize = 4096;
constexpr int kMinWidth = 9;
constexpr int kMaxWidth = 12;

// Codes read across byte boundaries, most significant bit first, or least
// significant first in the old-style LZW of early TIFF writers.
class CodeReader {
 public:
  CodeReader(const uint8_t* data, size_t size, bool lsb_first) : data_(data), size_(size), lsb_first_(lsb_first) {}

  // False at the end of the data.
  bool Next(int width, uint32_t* code) {
    while (bit_count_ < width) {
      if (position_ == size_) return false;
      const uint32_t byte = data_[position_++];
      bits_ = lsb_first_ ? bits_ | (byte << bit_count_) : (bits_ << 8) | byte;
      bit_count_ += 8;
    }
    bit_count_ -= width;
    const uint32_t mask = (1u << width) - 1;
    if (!lsb_first_) {
      *code = (bits_ >> bit_count_) & mask;
      return true;
    }
    *code = bits_ & mask;
    bits_ >>= width;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  bool lsb_first_;
  size_t position_ = 0;
  uint32_t bits_ = 0;
  int bit_count_ = 0;
};

// Each string is its prefix's string and one more byte; its first byte and
// length are kept so it can be written back to front straight into place.
struct Table {
  uint16_t prefix[kTableSize];
  uint8_t last[kTableSize];
  uint8_t first[kTableSize];
  uint16_t length[kTableSize];
  uint32_t next = kFirstFree;

  Table() {
    for (uint32_t i = 0; i < 256; ++i) {
      prefix[i] = 0;
      last[i] = first[i] = uint8_t(i);
      length[i] = 1;
    }
  }

  void Add(uint32_t previous, uint8_t byte) {
    if (next == kTableSize) return;  // a full table waits for the clear code
    prefix[next] = uint16_t(previous);
    last[next] = byte;
    first[next] = first[previous];
    length[next] = uint16_t(length[previous] + 1);
    ++next;
  }
};

// The width of the next code: TIFF switches when the next free entry is one
// below the next power of two, the old style only when it gets there.
int WidthFor(uint32_t next, bool old_style) {
  const uint32_t reached = old_style ? next : next + 1;
  int width = kMinWidth;
  while (width < kMaxWidth && reached >= (1u << width)) ++width;
  return width;
}

// The old style starts with its clear code least significant bit first,
// which no stream of the current style can begin with (libtiff tells them
// apart the same way).
bool IsOldStyle(const uint8_t* data, size_t size) { return size >= 2 && data[0] == 0 && (data[1] & 1); }

// Writes the string of `code` at `*written`, cut off at the end of `out`.
void Emit(const Table& t, uint32_t code, uint8_t* out, size_t capacity, size_t* written) {
  const size_t length = t.length[code];
  size_t at = *written + length;
  for (uint32_t c = code;; c = t.prefix[c]) {
    --at;
    if (at < capacity) out[at] = t.last[c];
    if (t.length[c] == 1) break;
  }
  *written = *written + length < capacity ? *written + length : capacity;
}

}  // namespace

size_t DecodeTiffLzw(const uint8_t* data, size_t size, uint8_t* out, size_t capacity) {
  // The table is 24 KiB: too much for the stack of a plug-in's thread.
  std::vector<Table> storage(1);
  Table& t = storage[0];
  const bool old_style = IsOldStyle(data, size);
  CodeReader reader(data, size, old_style);
  size_t written = 0;
  uint32_t previous = kClearCode;  // no string yet
  uint32_t code = 0;
  while (written < capacity && reader.Next(WidthFor(t.next, old_style), &code)) {
    if (code == kEndCode) break;
    if (code == kClearCode) {
      t.next = kFirstFree;
      previous = kClearCode;
      continue;
    }
    if (previous == kClearCode) {
      if (code > 255) break;
      Emit(t, code, out, capacity, &written);
    } else if (code < t.next) {
      Emit(t, code, out, capacity, &written);
      t.Add(previous, t.first[code]);
    } else if (code == t.next && t.next < kTableSize) {
      t.Add(previous, t.first[previous]);
      Emit(t, code, out, capacity, &written);
    } else {
      break;
    }
    previous = code;
  }
  return written;
}
