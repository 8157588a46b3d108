// An encoder's output kept in memory, up to a capacity beyond which it
// refuses bytes the way a full disk does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/byte_sink.h"

class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(size_t capacity = SIZE_MAX) : capacity_(capacity) {}

  bool Write(const void* data, size_t size) override {
    if (failed_ || size > capacity_ - bytes_.size()) {
      failed_ = true;
      return false;
    }
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
    return true;
  }

  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  size_t capacity_;
  bool failed_ = false;
  std::vector<uint8_t> bytes_;
};
