#include "plugins/tiffx/tiffx_directory.h"

#include "codecs/tiff_tags.h"

namespace {

using namespace tiff_tags;

uint64_t TypeWidth(uint16_t type) {
  switch (type) {
    case kTypeByte: return 1;
    case kTypeShort: return 2;
    case kTypeLong: return 4;
    default: return 0;
  }
}

// The values of the entry at `entry`, inline when they fit in its four
// value bytes. Types other than BYTE, SHORT and LONG give no values.
bool ReadValues(const TiffBytes& b, const uint8_t* entry, TiffxValues* out) {
  const uint16_t type = b.u16(entry + 2);
  const uint32_t count = b.u32(entry + 4);
  const uint64_t width = TypeWidth(type);
  if (width == 0) return false;
  const uint64_t length = width * count;
  const uint8_t* values = entry + 8;
  if (length > 4) {
    const uint32_t offset = b.u32(entry + 8);
    if (!b.Holds(offset, length)) return false;
    values = b.data + offset;
  }
  *out = TiffxValues{values, count, type};
  return true;
}

// A tag whose single value is all that counts.
bool ReadScalar(const TiffBytes& b, const TiffxValues& v, uint32_t* value) {
  if (!v.present()) return false;
  *value = v.At(b, 0);
  return true;
}

bool ReadEntry(const TiffBytes& b, const uint8_t* entry, TiffxDirectory* d) {
  const uint16_t tag = b.u16(entry);
  TiffxValues v;
  switch (tag) {
    case kImageWidth: case kImageLength: case kBitsPerSample: case kCompression:
    case kPhotometric: case kStripOffsets: case kSamplesPerPixel: case kRowsPerStrip:
    case kStripByteCounts: case kPlanarConfiguration: case kPredictor: case kColorMap:
    case kTileWidth: case kTileLength: case kTileOffsets: case kTileByteCounts:
    case kExtraSamples:
      if (!ReadValues(b, entry, &v)) return false;
      break;
    default:
      return true;
  }
  switch (tag) {
    case kImageWidth: return ReadScalar(b, v, &d->width);
    case kImageLength: return ReadScalar(b, v, &d->height);
    case kSamplesPerPixel: return ReadScalar(b, v, &d->samples_per_pixel);
    case kCompression: return ReadScalar(b, v, &d->compression);
    case kPlanarConfiguration: return ReadScalar(b, v, &d->planar_configuration);
    case kPredictor: return ReadScalar(b, v, &d->predictor);
    case kRowsPerStrip: return ReadScalar(b, v, &d->rows_per_strip);
    case kTileWidth: return ReadScalar(b, v, &d->tile_width);
    case kTileLength: return ReadScalar(b, v, &d->tile_length);
    case kPhotometric:
      d->has_photometric = true;
      return ReadScalar(b, v, &d->photometric);
    case kBitsPerSample: d->bits_per_sample = v; return true;
    case kStripOffsets: d->strip_offsets = v; return true;
    case kStripByteCounts: d->strip_byte_counts = v; return true;
    case kTileOffsets: d->tile_offsets = v; return true;
    case kTileByteCounts: d->tile_byte_counts = v; return true;
    case kColorMap: d->color_map = v; return true;
    case kExtraSamples: d->extra_samples = v; return true;
    default: return true;
  }
}

}  // namespace

uint32_t TiffxValues::At(const TiffBytes& bytes, uint32_t i) const {
  switch (type) {
    case kTypeByte: return values[i];
    case kTypeShort: return bytes.u16(values + 2 * uint64_t{i});
    default: return bytes.u32(values + 4 * uint64_t{i});
  }
}

bool ReadTiffxDirectory(const TiffBytes& b, uint32_t offset, TiffxDirectory* d) {
  if (!b.Holds(offset, 2)) return false;
  const uint16_t count = b.u16(b.data + offset);
  const uint64_t first = uint64_t{offset} + 2;
  if (!b.Holds(first, kEntryBytes * count)) return false;
  for (uint16_t i = 0; i < count; ++i) {
    if (!ReadEntry(b, b.data + first + kEntryBytes * i, d)) return false;
  }
  return true;
}
