// The decoded image every part of the program exchanges: a DIB header and a
// 256-colour palette laid out as a BITMAPINFO, so GDI takes the record as it
// is, followed by what we know of the source.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/status.h"
#include "image/win_records.h"

struct AnimationFrameList;

enum SourceFormat : int32_t {
  kSourcePlugin = 0,
  kSourceBmp = 1,  // also images pasted from the clipboard
  kSourcePng = 2,
  kSourceJpeg = 3,
  kSourceTiff = 4,
  kSourceGif = 5,
};

// What the window shows and the size the view works with when nothing is open.
constexpr int32_t kEmptyCanvasWidth = 400;
constexpr int32_t kEmptyCanvasHeight = 300;

struct ImageBuffer {
  DibHeader header;
  RgbQuad palette[256];           // meaningful at 8 bits per pixel only
  int32_t source_format;          // SourceFormat
  uint8_t* pixels;                // page memory, owned by the record
  uint32_t source_size;           // bytes of the file or member read
  uint32_t source_bits_per_pixel; // as stored in the source
  FileTimeValue last_write_time;  // of the source file
  // An animated image's later frames (the pixels are the first frame), owned
  // by the record and freed with its pixels; null for a still image.
  AnimationFrameList* animation;
};

// Bytes per row: width x bytes per pixel, padded to a multiple of 4.
// Only 8 and 24 bits per pixel are ever stored.
constexpr uint64_t RowStride(int32_t width, int bits_per_pixel) {
  uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(bits_per_pixel / 8);
  return (bytes + 3) & ~uint64_t{3};
}

// The pixel block size stride x height, or false when a dimension is not
// positive, the depth is not 8 or 24, or the block would not fit in 32 bits.
bool PixelBlockBytes(int32_t width, int32_t height, int bits_per_pixel, uint32_t* bytes);

// Page memory for a pixel block has 4 spare bytes so that row loops may store
// a whole 32-bit word at the last pixel.
constexpr size_t PixelAllocationBytes(uint32_t block_bytes) { return size_t{block_bytes} + 4; }

// Fills the header for a new image and allocates its zeroed pixels, releasing
// any pixels the record held. Returns kUnsupported for sizes that cannot be
// stored and kNoMemory when the pages are refused; the record then holds no
// pixels and its header is unchanged.
Status AllocatePixels(ImageBuffer* image, int32_t width, int32_t height, int bits_per_pixel);

// Frees the pixels the record owns, and its frame list.
void ReleasePixels(ImageBuffer* image);

// Hands the record a frame list (taking ownership), or frees the one it
// holds when `list` is null.
void SetAnimation(ImageBuffer* image, AnimationFrameList* list);

// Clears every field, leaving the header valid for a 400 x 300 empty canvas
// with no pixels. The pixels the record held are freed first, so a new
// record must start value-initialised (ImageBuffer image{}), never with
// whatever its memory held.
void ResetImageBuffer(ImageBuffer* image);

// A record of its own that frees its pixels when it goes, for code that
// decodes into a record it does not keep (tools, tests, fuzz targets).
struct OwnedImage {
  OwnedImage() { ResetImageBuffer(&record); }
  ~OwnedImage() { ReleasePixels(&record); }
  OwnedImage(const OwnedImage&) = delete;
  OwnedImage& operator=(const OwnedImage&) = delete;
  ImageBuffer record{};
};

// Pixel-space helpers on the record's own header.
inline uint32_t Stride(const ImageBuffer& image) {
  return static_cast<uint32_t>(RowStride(image.header.width, image.header.bit_count));
}
inline uint8_t* RowFromBottom(const ImageBuffer& image, int32_t row) {
  return image.pixels + static_cast<size_t>(row) * Stride(image);
}
// Rows are stored bottom-up; this counts from the picture's top.
inline uint8_t* RowFromTop(const ImageBuffer& image, int32_t row) {
  return RowFromBottom(image, image.header.height - 1 - row);
}
