#include "image/image_buffer.h"

#include <cstring>

#include "image/animation_frames.h"
#include "image/page_memory.h"

bool PixelBlockBytes(int32_t width, int32_t height, int bits_per_pixel, uint32_t* bytes) {
  if (width <= 0 || height <= 0 || (bits_per_pixel != 8 && bits_per_pixel != 24)) return false;
  // Both factors are below 2^33, so the product cannot wrap in 64 bits.
  uint64_t total = RowStride(width, bits_per_pixel) * static_cast<uint64_t>(height);
  if (total > UINT32_MAX) return false;
  *bytes = static_cast<uint32_t>(total);
  return true;
}

Status AllocatePixels(ImageBuffer* image, int32_t width, int32_t height, int bits_per_pixel) {
  uint32_t block = 0;
  if (!PixelBlockBytes(width, height, bits_per_pixel, &block)) return Status::kUnsupported;
  void* pixels = PageAlloc(PixelAllocationBytes(block));
  if (!pixels) return Status::kNoMemory;
  ReleasePixels(image);
  DibHeader& h = image->header;
  h.size = sizeof(DibHeader);
  h.width = width;
  h.height = height;
  h.planes = 1;
  h.bit_count = static_cast<uint16_t>(bits_per_pixel);
  h.compression = 0;
  h.size_image = 0;
  h.clr_used = 0;
  h.clr_important = 0;
  image->pixels = static_cast<uint8_t*>(pixels);
  return Status::kOk;
}

void ReleasePixels(ImageBuffer* image) {
  SetAnimation(image, nullptr);
  PageFree(image->pixels);
  image->pixels = nullptr;
}

void SetAnimation(ImageBuffer* image, AnimationFrameList* list) {
  delete image->animation;
  image->animation = list;
}

void ResetImageBuffer(ImageBuffer* image) {
  ReleasePixels(image);
  std::memset(image, 0, sizeof(*image));
  image->header.size = sizeof(DibHeader);
  image->header.width = kEmptyCanvasWidth;
  image->header.height = kEmptyCanvasHeight;
  image->header.planes = 1;
  image->header.bit_count = 24;
}
