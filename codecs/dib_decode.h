// Decoding a device-independent bitmap once its parts have been located:
// shared by BMP files and the clipboard's bitmaps. Every read stays inside
// the bytes given, whatever the headers claim.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"

constexpr size_t kDibHeaderBytes = 40;

// The 40-byte info header as stored (little-endian).
DibHeader LoadDibHeader(const uint8_t* bytes);

// kUnsupported unless both dimensions are positive and the depth and
// compression are ones read here: 1, 4, 8, 24 uncompressed; 16 and 32
// uncompressed or with bit fields (3); and unless the decoded pixel block
// fits in 32 bits.
Status CheckDibKind(const DibHeader& header);

// Bytes of one stored row (padded to 4 bytes, except 32-bit rows).
uint64_t DibSourceStride(int32_t width, int bits);

// What both readers check before decoding: CheckDibKind, then that the
// `available` bytes behind the header hold `table_bytes` of colour table and
// every row of a 1 to 24-bit bitmap (kReadFailed otherwise). A header can
// claim gigabytes in 40 bytes, so the rows are measured against the data
// before any pixel block is taken. 16 and 32-bit rows are measured from
// their own offset when they are expanded.
Status CheckDibBeforeDecoding(const DibHeader& header, uint64_t table_bytes, size_t available);

struct DibLocation {
  const uint8_t* data;  // every byte that may be read
  size_t size;
  DibHeader header;
  size_t palette_offset;
  uint32_t palette_entries;  // entries the source defines, before clamping
  size_t masks_offset;       // red, green, blue masks when compression is 3
  size_t pixel_offset;
};

// Fills target with 8 bits and palette (1, 4 and 8-bit sources) or 24 bits.
// Palette entries beyond the source's and rows of 1 to 24 bits that lie past
// the data stay zero; 16 and 32-bit rows past the data, masks past the data
// and masks without a channel width are kReadFailed. The target holds no
// pixels after a failure.
Status DecodeDib(const DibLocation& location, ImageBuffer* target);
