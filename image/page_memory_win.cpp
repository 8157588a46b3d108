#include <windows.h>

#include "image/page_memory.h"

void* PageAlloc(size_t bytes) {
  if (bytes == 0) return nullptr;
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void PageFree(void* block) {
  if (!block) return;
  // Size 0 with the base address covers the whole region in both calls.
  VirtualFree(block, 0, MEM_DECOMMIT);
  VirtualFree(block, 0, MEM_RELEASE);
}
