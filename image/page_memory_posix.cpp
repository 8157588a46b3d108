#include <sys/mman.h>
#include <unistd.h>

#include <atomic>

#include "image/page_memory.h"
#include "image/page_memory_posix.h"

// mmap does not remember lengths, so each block carries one page in front of
// it that records the mapping's size; the caller's block stays page-aligned.

namespace {

std::atomic<uint64_t> bytes_requested{0};

size_t PageSize() {
  static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

}  // namespace

uint64_t PageBytesRequested() { return bytes_requested.load(std::memory_order_relaxed); }

void* PageAlloc(size_t bytes) {
  bytes_requested.fetch_add(bytes, std::memory_order_relaxed);
  if (bytes == 0 || bytes > SIZE_MAX - PageSize()) return nullptr;
  size_t total = bytes + PageSize();
  void* p = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  *static_cast<size_t*>(p) = total;
  return static_cast<uint8_t*>(p) + PageSize();
}

void PageFree(void* block) {
  if (!block) return;
  void* base = static_cast<uint8_t*>(block) - PageSize();
  munmap(base, *static_cast<size_t*>(base));
}
