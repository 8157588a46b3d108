#include "plugins/tiffx/tiffx_lzw.h"

#include <vector>

namespace {

constexpr uint32_t kClearCode = 256;
constexpr uint32_t kEndCode = 257;
constexpr uint32_t kFirstFree = 258;
constexpr uint32_t kTableSize = 4096;
constexpr int kMinWidth = 9;
constexpr int kMaxWidth = 12;

// Codes read most significant bit first across byte boundaries.
class CodeReader {
 public:
  CodeReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // False at the end of the data.
  bool Next(int width, uint32_t* code) {
    while (bit_count_ < width) {
      if (position_ == size_) return false;
      bits_ = (bits_ << 8) | data_[position_++];
      bit_count_ += 8;
    }
    bit_count_ -= width;
    *code = (bits_ >> bit_count_) & ((1u << width) - 1);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
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
// below the next power of two.
int WidthFor(uint32_t next) {
  int width = kMinWidth;
  while (width < kMaxWidth && next + 1 >= (1u << width)) ++width;
  return width;
}

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
  CodeReader reader(data, size);
  size_t written = 0;
  uint32_t previous = kClearCode;  // no string yet
  uint32_t code = 0;
  while (written < capacity && reader.Next(WidthFor(t.next), &code)) {
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
