#include "codecs/tiff_directory.h"

#include <cstring>

#include "app/little_endian.h"
#include "codecs/big_endian.h"
#include "codecs/tiff_tags.h"

namespace {

using namespace tiff_tags;

struct Entry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  const uint8_t* field;  // the 4-byte value or offset
};

// A scalar SHORT or LONG held in the entry itself.
uint32_t InlineValue(const TiffBytes& b, const Entry& e) {
  return e.type == kTypeShort ? b.u16(e.field) : b.u32(e.field);
}

Status ReadDimension(const TiffBytes& b, const Entry& e, int32_t* value) {
  if (e.type != kTypeShort && e.type != kTypeLong) return Status::kCorrupt;
  *value = static_cast<int32_t>(InlineValue(b, e));
  return *value > 0 ? Status::kOk : Status::kUnsupported;
}

Status ReadBitsPerSample(const TiffBytes& b, const Entry& e, TiffDirectory* d) {
  if (e.count == 1) {
    d->bits_per_sample = InlineValue(b, e);
    return Status::kOk;
  }
  if (e.count != 3) return Status::kOk;
  const uint32_t offset = b.u32(e.field);
  if (!b.Holds(offset, 6)) return Status::kCorrupt;
  const uint16_t first = b.u16(b.data + offset);
  const bool equal = b.u16(b.data + offset + 2) == first && b.u16(b.data + offset + 4) == first;
  if (!equal || (first != 8 && first != 16)) return Status::kUnsupported;
  d->bits_per_sample = first;
  d->sample_values = 3;
  return Status::kOk;
}

// SHORT or LONG values, inline when they fit in four bytes. No more
// entries than the data could hold are accepted, so the array never
// outgrows the file.
Status ReadStripArray(const TiffBytes& b, const Entry& e, TiffStripArray* array) {
  if (array->present) return Status::kCorrupt;
  if (e.type != kTypeShort && e.type != kTypeLong) return Status::kCorrupt;
  const uint64_t width = e.type == kTypeShort ? 2 : 4;
  const uint64_t length = width * e.count;
  const uint8_t* values = e.field;
  if (length > 4) {
    const uint32_t offset = b.u32(e.field);
    if (!b.Holds(offset, length)) return Status::kCorrupt;
    values = b.data + offset;
  }
  if (e.count == 0 || e.count > kTiffMaxStrips) return Status::kCorrupt;
  array->block = PageBlock(size_t{e.count} * sizeof(uint32_t));
  if (!array->block) return Status::kNoMemory;
  uint32_t* out = reinterpret_cast<uint32_t*>(array->block.data());
  for (uint32_t i = 0; i < e.count; ++i) {
    out[i] = width == 2 ? b.u16(values + 2 * i) : b.u32(values + 4 * i);
  }
  array->count = e.count;
  array->present = true;
  return Status::kOk;
}

Status ReadEntry(const TiffBytes& b, const Entry& e, TiffDirectory* d) {
  switch (e.tag) {
    case kImageWidth:
      return ReadDimension(b, e, &d->width);
    case kImageLength:
      return ReadDimension(b, e, &d->height);
    case kBitsPerSample:
      return ReadBitsPerSample(b, e, d);
    case kCompression:
      return InlineValue(b, e) == 1 ? Status::kOk : Status::kUnsupported;
    case kPhotometric:
      d->photometric = InlineValue(b, e);
      d->has_photometric = true;
      return Status::kOk;
    case kFillOrder:
      d->lsb_first = InlineValue(b, e) == 2;
      return Status::kOk;
    case kPlanarConfiguration:
      d->separate_planes = InlineValue(b, e) == 2;
      return Status::kOk;
    case kImageDescription:
      d->description = true;
      return Status::kOk;
    case kStripOffsets:
      return ReadStripArray(b, e, &d->strip_offsets);
    case kStripByteCounts:
      return ReadStripArray(b, e, &d->strip_byte_counts);
    case kXResolution:
      d->x_resolution = b.u32(e.field);
      d->has_x_resolution = true;
      return Status::kOk;
    case kYResolution:
      d->y_resolution = b.u32(e.field);
      d->has_y_resolution = true;
      return Status::kOk;
    case kResolutionUnit:
      d->resolution_unit = InlineValue(b, e);
      return Status::kOk;
    case kColorMap:
      d->color_map = b.u32(e.field);
      d->has_color_map = true;
      return Status::kOk;
    default:
      return Status::kOk;
  }
}

}  // namespace

Status ReadTiffHeader(const uint8_t* data, size_t size, TiffBytes* bytes, uint32_t* first_directory) {
  if (size < 8) return Status::kCorrupt;
  bytes->data = data;
  bytes->size = size;
  if (std::memcmp(data, "II", 2) == 0) {
    bytes->u16 = LoadU16;
    bytes->u32 = LoadU32;
  } else if (std::memcmp(data, "MM", 2) == 0) {
    bytes->u16 = LoadU16Be;
    bytes->u32 = LoadU32Be;
    bytes->big_endian = true;
  } else {
    return Status::kCorrupt;
  }
  if (bytes->u16(data + 2) != 42) return Status::kCorrupt;
  *first_directory = bytes->u32(data + 4);
  return Status::kOk;
}

Status ReadTiffDirectory(const TiffBytes& b, uint32_t offset, TiffDirectory* d) {
  if (!b.Holds(offset, 2)) return Status::kCorrupt;
  const uint16_t count = b.u16(b.data + offset);
  const uint64_t first = uint64_t{offset} + 2;
  if (!b.Holds(first, kEntryBytes * count)) return Status::kCorrupt;
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* p = b.data + first + kEntryBytes * i;
    const Entry e = {b.u16(p), b.u16(p + 2), b.u32(p + 4), p + 8};
    if (Status s = ReadEntry(b, e, d); s != Status::kOk) return s;
  }
  if (d->width < 1 || d->height < 1) return Status::kUnsupported;
  const bool strips = d->strip_offsets.present && d->strip_byte_counts.present;
  if (!strips || d->strip_offsets.count != d->strip_byte_counts.count) return Status::kCorrupt;
  return Status::kOk;
}
