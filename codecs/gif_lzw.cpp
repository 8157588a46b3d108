#include "codecs/gif_lzw.h"

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

// Codes come least significant bit first, packed across byte boundaries.
class CodeReader {
 public:
  CodeReader(const uint8_t* data, size_t size) : data_(data), end_(data + size) {}

  // False once the data cannot supply `bits` more bits.
  bool Next(int bits, int* code) {
    while (held_ < bits) {
      if (data_ == end_) return false;
      buffer_ |= uint32_t{*data_++} << held_;
      held_ += 8;
    }
    *code = static_cast<int>(buffer_ & ((1u << bits) - 1));
    buffer_ >>= bits;
    held_ -= bits;
    return true;
  }

 private:
  const uint8_t* data_;
  const uint8_t* end_;
  uint32_t buffer_ = 0;
  int held_ = 0;
};

// Each entry is its prefix's string and one more byte; the length lets a
// string be written back to front straight into the output.
struct LzwTable {
  uint16_t prefix[kTableSize];
  uint8_t last[kTableSize];
  uint8_t first[kTableSize];
  uint16_t length[kTableSize];
};

class LzwDecoder {
 public:
  LzwDecoder(int min_code_size, uint8_t* pixels, size_t count)
      : clear_(1 << min_code_size), min_code_size_(min_code_size), pixels_(pixels), count_(count) {
    for (int code = 0; code < clear_; ++code) {
      table_.prefix[code] = 0;
      table_.last[code] = table_.first[code] = static_cast<uint8_t>(code);
      table_.length[code] = 1;
    }
    Reset();
  }

  size_t Run(CodeReader* reader) {
    int code = 0;
    while (written_ < count_ && reader->Next(width_, &code)) {
      if (code == clear_) {
        Reset();
        continue;
      }
      if (code == clear_ + 1 || !Take(code)) break;
    }
    return written_ < count_ ? written_ : count_;
  }

 private:
  void Reset() {
    next_free_ = clear_ + 2;
    width_ = min_code_size_ + 1;
    previous_ = -1;
  }

  // Writes the code's string and adds the entry it implies; false for a
  // code that is not in the table (nor the one about to be made).
  bool Take(int code) {
    if (previous_ < 0) {
      if (code >= clear_) return false;
      Write(code);
      previous_ = code;
      return true;
    }
    if (code > next_free_ || (code == next_free_ && next_free_ >= kTableSize)) return false;
    const bool known = code < next_free_;
    const uint8_t first = table_.first[known ? code : previous_];
    if (next_free_ < kTableSize) Add(first);
    Write(code);
    previous_ = code;
    return true;
  }

  // After 4096 entries the table stays full until the next clear code.
  void Add(uint8_t last) {
    table_.prefix[next_free_] = static_cast<uint16_t>(previous_);
    table_.last[next_free_] = last;
    table_.first[next_free_] = table_.first[previous_];
    table_.length[next_free_] = static_cast<uint16_t>(table_.length[previous_] + 1);
    ++next_free_;
    if (next_free_ == (1 << width_) && width_ < kMaxCodeBits) ++width_;
  }

  void Write(int code) {
    const size_t length = table_.length[code];
    size_t at = written_ + length;
    written_ = at;
    while (at > written_ - length) {
      --at;
      if (at < count_) pixels_[at] = table_.last[code];
      code = table_.prefix[code];
    }
  }

  const int clear_;
  const int min_code_size_;
  uint8_t* const pixels_;
  const size_t count_;
  size_t written_ = 0;
  int next_free_ = 0;
  int width_ = 0;
  int previous_ = -1;
  LzwTable table_;
};

}  // namespace

size_t DecodeGifLzw(const uint8_t* data, size_t size, int min_code_size, uint8_t* pixels,
                    size_t count) {
  if (min_code_size < kGifLzwMinCodeSizeLow || min_code_size > kGifLzwMinCodeSizeHigh) return 0;
  CodeReader reader(data, size);
  LzwDecoder decoder(min_code_size, pixels, count);
  return decoder.Run(&reader);
}
