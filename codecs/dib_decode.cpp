#include "codecs/dib_decode.h"

#include <algorithm>
#include <cstring>

#include "app/little_endian.h"
#include "codecs/dib_bit_fields.h"
#include "effects/index_rows.h"
#include "image/page_memory.h"

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

int OutputBits(int source_bits) { return source_bits <= 8 ? 8 : 24; }

bool HasBitFields(int source_bits) { return source_bits == 16 || source_bits == 32; }

bool Within(const DibLocation& at, size_t offset, uint64_t bytes) {
  return offset <= at.size && bytes <= at.size - offset;
}

void CopyPalette(const DibLocation& at, RgbQuad* palette) {
  if (at.palette_offset >= at.size) return;
  const size_t available = (at.size - at.palette_offset) / 4;
  const size_t entries = std::min<size_t>({at.palette_entries, available, 256});
  std::memcpy(palette, at.data + at.palette_offset, entries * 4);
}

// Rows of 8 and 24 bits are stored exactly as the record keeps them.
void CopyRows(const DibLocation& at, ImageBuffer* target, uint32_t block_bytes) {
  if (at.pixel_offset >= at.size) return;
  std::memcpy(target->pixels, at.data + at.pixel_offset,
              std::min<size_t>(block_bytes, at.size - at.pixel_offset));
}

void UnpackRows(const DibLocation& at, ImageBuffer* target) {
  const DibHeader& h = at.header;
  const uint64_t stride = DibSourceStride(h.width, h.bit_count);
  for (int32_t y = 0; y < h.height; ++y) {
    // Only whole rows inside the data are unpacked; the rest stay index 0.
    if (!Within(at, at.pixel_offset, stride * static_cast<uint64_t>(y + 1))) break;
    const uint8_t* row = at.data + at.pixel_offset + stride * static_cast<size_t>(y);
    uint8_t* out = RowFromBottom(*target, y);
    for (int32_t x = 0; x < h.width; ++x) out[x] = IndexAt(row, x, h.bit_count);
  }
}

Status LoadBitFields(const DibLocation& at, BitFields* fields) {
  const DibHeader& h = at.header;
  uint32_t red = 0x7C00, green = 0x03E0, blue = 0x001F;
  if (h.bit_count == 32) red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
  if (h.compression == kBitFields) {
    if (!Within(at, at.masks_offset, 12)) return Status::kReadFailed;
    const uint8_t* masks = at.data + at.masks_offset;
    red = LoadU32(masks), green = LoadU32(masks + 4), blue = LoadU32(masks + 8);
  }
  return MakeBitFields(red, green, blue, fields) ? Status::kOk : Status::kReadFailed;
}

void ExpandRows(const DibLocation& at, const BitFields& fields, ImageBuffer* target) {
  const DibHeader& h = at.header;
  const size_t stride = static_cast<size_t>(DibSourceStride(h.width, h.bit_count));
  for (int32_t y = 0; y < h.height; ++y) {
    ExpandBitFieldRow(fields, at.data + at.pixel_offset + stride * static_cast<size_t>(y), h.width,
                      h.bit_count / 8, RowFromBottom(*target, y));
  }
}

int32_t NonNegative(int32_t value) { return std::max(value, 0); }

Status Allocate(const DibHeader& h, ImageBuffer* target) {
  Status status = AllocatePixels(target, h.width, h.height, OutputBits(h.bit_count));
  if (status != Status::kOk) return status;
  target->header.x_pels_per_meter = NonNegative(h.x_pels_per_meter);
  target->header.y_pels_per_meter = NonNegative(h.y_pels_per_meter);
  target->source_bits_per_pixel = h.bit_count;
  std::memset(target->palette, 0, sizeof(target->palette));
  return Status::kOk;
}

Status DecodeBitFieldDib(const DibLocation& at, ImageBuffer* target) {
  const DibHeader& h = at.header;
  PageBlock fields_block(sizeof(BitFields));
  if (!fields_block) return Status::kNoMemory;
  BitFields* fields = reinterpret_cast<BitFields*>(fields_block.data());
  if (Status s = LoadBitFields(at, fields); s != Status::kOk) return s;
  const uint64_t stride = DibSourceStride(h.width, h.bit_count);
  if (!Within(at, at.pixel_offset, stride * static_cast<uint64_t>(h.height))) {
    return Status::kReadFailed;
  }
  if (Status s = Allocate(h, target); s != Status::kOk) return s;
  ExpandRows(at, *fields, target);
  return Status::kOk;
}

}  // namespace

DibHeader LoadDibHeader(const uint8_t* b) {
  DibHeader h;
  h.size = LoadU32(b);
  h.width = static_cast<int32_t>(LoadU32(b + 4));
  h.height = static_cast<int32_t>(LoadU32(b + 8));
  h.planes = LoadU16(b + 12);
  h.bit_count = LoadU16(b + 14);
  h.compression = LoadU32(b + 16);
  h.size_image = LoadU32(b + 20);
  h.x_pels_per_meter = static_cast<int32_t>(LoadU32(b + 24));
  h.y_pels_per_meter = static_cast<int32_t>(LoadU32(b + 28));
  h.clr_used = LoadU32(b + 32);
  h.clr_important = LoadU32(b + 36);
  return h;
}

uint64_t DibSourceStride(int32_t width, int bits) {
  const uint64_t row = (static_cast<uint64_t>(NonNegative(width)) * static_cast<uint64_t>(bits) + 7) / 8;
  return bits == 32 ? row : (row + 3) & ~uint64_t{3};
}

Status CheckDibKind(const DibHeader& h) {
  if (h.width <= 0 || h.height <= 0) return Status::kUnsupported;
  switch (h.bit_count) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (h.compression != kUncompressed) return Status::kUnsupported;
      break;
    case 16:
    case 32:
      if (h.compression != kUncompressed && h.compression != kBitFields) return Status::kUnsupported;
      break;
    default: return Status::kUnsupported;
  }
  uint32_t block = 0;
  return PixelBlockBytes(h.width, h.height, OutputBits(h.bit_count), &block) ? Status::kOk
                                                                             : Status::kUnsupported;
}

Status CheckDibBeforeDecoding(const DibHeader& h, uint64_t table_bytes, size_t available) {
  if (Status s = CheckDibKind(h); s != Status::kOk) return s;
  if (HasBitFields(h.bit_count)) return Status::kOk;
  const uint64_t rows = DibSourceStride(h.width, h.bit_count) * static_cast<uint64_t>(h.height);
  return table_bytes <= available && rows <= available - table_bytes ? Status::kOk
                                                                      : Status::kReadFailed;
}

Status DecodeDib(const DibLocation& at, ImageBuffer* target) {
  ReleasePixels(target);
  const DibHeader& h = at.header;
  if (Status s = CheckDibKind(h); s != Status::kOk) return s;
  if (HasBitFields(h.bit_count)) return DecodeBitFieldDib(at, target);

  if (Status s = Allocate(h, target); s != Status::kOk) return s;
  if (h.bit_count == 24) {
    CopyRows(at, target, Stride(*target) * static_cast<uint32_t>(h.height));
    return Status::kOk;
  }
  CopyPalette(at, target->palette);
  if (h.bit_count == 8) {
    CopyRows(at, target, Stride(*target) * static_cast<uint32_t>(h.height));
  } else {
    UnpackRows(at, target);
  }
  return Status::kOk;
}
