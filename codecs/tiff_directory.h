// The header and first image file directory of a TIFF file: the byte order,
// the tags the reader uses, and the strip arrays, every field checked
// against the data it came from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/page_memory.h"
#include "image/status.h"

// The file's bytes with the value readers of its byte order, chosen once.
struct TiffBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
  uint16_t (*u16)(const uint8_t*) = nullptr;
  uint32_t (*u32)(const uint8_t*) = nullptr;
  bool big_endian = false;

  // Whether `length` bytes from `offset` lie in the data.
  bool Holds(uint64_t offset, uint64_t length) const { return offset <= size && length <= size - offset; }
};

// The strip offsets or byte counts, widened to 32 bits, in page memory.
struct TiffStripArray {
  PageBlock block;
  uint32_t count = 0;
  bool present = false;

  const uint32_t* values() const { return reinterpret_cast<const uint32_t*>(block.data()); }
};

struct TiffDirectory {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t bits_per_sample = 1;
  int sample_values = 1;  // how many values BitsPerSample gave: 1 or 3
  uint32_t photometric = 0;
  bool has_photometric = false;
  uint32_t x_resolution = 0;  // offsets of the RATIONAL values
  uint32_t y_resolution = 0;
  bool has_x_resolution = false;
  bool has_y_resolution = false;
  uint32_t resolution_unit = 2;  // inch
  uint32_t color_map = 0;        // offset of the map
  bool has_color_map = false;
  bool description = false;
  // FillOrder 2: the bits of every byte run from the least significant.
  bool lsb_first = false;
  // PlanarConfiguration 2: each sample in planes of its own, not pixel by pixel.
  bool separate_planes = false;
  TiffStripArray strip_offsets;
  TiffStripArray strip_byte_counts;
};

// Strip arrays longer than this are refused whatever the file's size.
constexpr uint32_t kTiffMaxStrips = (uint32_t{1} << 30) - 1;

// Checks "II" or "MM" and 42, and gives the readers and the first
// directory's offset; kCorrupt otherwise.
Status ReadTiffHeader(const uint8_t* data, size_t size, TiffBytes* bytes, uint32_t* first_directory);

// Reads the directory at `offset`. kCorrupt for a broken structure,
// kUnsupported for what the reader cannot show (compression, bit depths,
// sizes), kNoMemory when a strip array gets no pages.
Status ReadTiffDirectory(const TiffBytes& bytes, uint32_t offset, TiffDirectory* directory);
