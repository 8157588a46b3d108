// Whole pages of zeroed read/write memory for pixel blocks and large work
// buffers. Pages come straight from the system (VirtualAlloc, mmap), so a
// fresh block never needs clearing and freeing it returns memory at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

// Returns nullptr when the system refuses or bytes is 0.
void* PageAlloc(size_t bytes);
// Frees a whole block from PageAlloc; the block remembers its own size, so
// owners never have to recompute it.
void PageFree(void* block);

// Owner of one page block; move-only.
class PageBlock {
 public:
  PageBlock() = default;
  explicit PageBlock(size_t bytes)
      : data_(static_cast<uint8_t*>(PageAlloc(bytes))), size_(data_ ? bytes : 0) {}
  PageBlock(PageBlock&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  PageBlock& operator=(PageBlock&& other) noexcept {
    if (this != &other) {
      Reset();
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;
  ~PageBlock() { Reset(); }

  uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

  void Reset() {
    PageFree(data_);
    data_ = nullptr;
    size_ = 0;
  }
  // Hands the block to an owner that frees it with PageFree.
  uint8_t* Release() {
    size_ = 0;
    return std::exchange(data_, nullptr);
  }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
