#include "codecs/tiff_pixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kPhotometricWhiteIsZero = 0;
constexpr uint32_t kPhotometricBlackIsZero = 1;
constexpr uint32_t kPhotometricRgb = 2;
constexpr uint32_t kPhotometricPalette = 3;

enum class Layout { kGrey, kPalette, kRgb };

bool IsIndexDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8; }

bool ChooseLayout(const TiffDirectory& d, Layout* layout) {
  if (!d.has_photometric) return false;
  const bool one = d.sample_values == 1;
  switch (d.photometric) {
    case kPhotometricWhiteIsZero:
    case kPhotometricBlackIsZero:
      *layout = Layout::kGrey;
      return one && IsIndexDepth(d.bits_per_sample);
    case kPhotometricPalette:
      *layout = Layout::kPalette;
      return one && d.has_color_map && IsIndexDepth(d.bits_per_sample);
    case kPhotometricRgb:
      *layout = Layout::kRgb;
      return !one && !d.separate_planes && (d.bits_per_sample == 8 || d.bits_per_sample == 16);
    default:
      return false;
  }
}

uint32_t BitsPerPixel(const TiffDirectory& d) { return d.bits_per_sample * uint32_t(d.sample_values); }

uint64_t SourceRowBytes(const TiffDirectory& d) {
  return (uint64_t(uint32_t(d.width)) * BitsPerPixel(d) + 7) / 8;
}

void SetGreyPalette(const TiffDirectory& d, ImageBuffer* target) {
  const int entries = 1 << d.bits_per_sample;
  const int step = 255 / (entries - 1);
  for (int i = 0; i < entries; ++i) {
    const int level = d.photometric == kPhotometricWhiteIsZero ? 255 - step * i : step * i;
    const uint8_t v = static_cast<uint8_t>(level);
    target->palette[i] = {v, v, v, 0};
  }
}

// Red, green and blue runs of 16-bit values; each colour is the high byte.
Status SetMapPalette(const TiffBytes& b, const TiffDirectory& d, ImageBuffer* target) {
  const uint64_t entries = uint64_t{1} << d.bits_per_sample;
  if (!b.Holds(d.color_map, entries * 6)) return Status::kReadFailed;
  const uint8_t* map = b.data + d.color_map;
  for (uint64_t i = 0; i < entries; ++i) {
    const auto high = [&](uint64_t run) { return uint8_t(b.u16(map + 2 * (run * entries + i)) >> 8); };
    target->palette[i] = {high(2), high(1), high(0), 0};
  }
  return Status::kOk;
}

// Most significant bits first, one byte per pixel.
void UnpackIndices(const uint8_t* in, int32_t width, uint32_t bits, uint8_t* out) {
  if (bits == 8) {
    std::memcpy(out, in, size_t(width));
    return;
  }
  const uint32_t per_byte = 8 / bits;
  const uint8_t mask = uint8_t((1u << bits) - 1);
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t shift = 8 - bits * (uint32_t(x) % per_byte + 1);
    out[x] = uint8_t((in[uint32_t(x) / per_byte] >> shift) & mask);
  }
}

// Red, green and blue samples into blue, green, red bytes; kHigh is where a
// sample's high byte lies. The sizes are fixed so that the compiler can
// unroll the loop that touches every pixel.
template <size_t kSample, size_t kHigh>
void CopyRgbRow(const uint8_t* in, int32_t width, uint8_t* out) {
  for (int32_t x = 0; x < width; ++x, in += 3 * kSample, out += 3) {
    out[0] = in[2 * kSample + kHigh];
    out[1] = in[kSample + kHigh];
    out[2] = in[kHigh];
  }
}

// 16-bit samples keep their high byte, which is first or second by byte order.
void CopyRgb(const TiffBytes& b, const uint8_t* in, int32_t width, uint32_t bits, uint8_t* out) {
  if (bits == 8) {
    CopyRgbRow<1, 0>(in, width, out);
  } else if (b.big_endian) {
    CopyRgbRow<2, 0>(in, width, out);
  } else {
    CopyRgbRow<2, 1>(in, width, out);
  }
}

// Whether each strip starts where the one before ends, up to the last that
// holds needed rows.
bool StripsFollowOn(const TiffDirectory& d, uint64_t needed) {
  const uint32_t* offsets = d.strip_offsets.values();
  const uint32_t* counts = d.strip_byte_counts.values();
  uint64_t at = counts[0];
  for (uint32_t i = 1; i < d.strip_offsets.count && at < needed; ++i) {
    if (offsets[i] != uint64_t{offsets[0]} + at) return false;
    at += counts[i];
  }
  return true;
}

// FillOrder 2 bytes into the usual order, most significant bit first.
void ReverseBits(uint8_t* bytes, size_t size) {
  static const auto kReversed = [] {
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
      for (int bit = 0; bit < 8; ++bit) {
        if (v & (1 << bit)) table[size_t(v)] |= uint8_t(0x80 >> bit);
      }
    }
    return table;
  }();
  for (size_t i = 0; i < size; ++i) bytes[i] = kReversed[bytes[i]];
}

int32_t PixelsPerMetre(double value, uint32_t unit) {
  double metric = 0;
  if (unit == 2) metric = std::round(value / 0.0254);
  if (unit == 3) metric = std::round(value * 100);
  return static_cast<int32_t>(std::min(metric, double(INT32_MAX)));
}

bool ReadRational(const TiffBytes& b, uint32_t offset, double* value) {
  if (!b.Holds(offset, 8)) return false;
  const uint32_t denominator = b.u32(b.data + offset + 4);
  if (denominator == 0) return false;
  *value = double(b.u32(b.data + offset)) / denominator;
  return true;
}

void SetResolution(const TiffBytes& b, const TiffDirectory& d, ImageBuffer* target) {
  double x = 0, y = 0;
  if (!d.has_x_resolution || !d.has_y_resolution) return;
  if (!ReadRational(b, d.x_resolution, &x) || !ReadRational(b, d.y_resolution, &y)) return;
  target->header.x_pels_per_meter = PixelsPerMetre(x, d.resolution_unit);
  target->header.y_pels_per_meter = PixelsPerMetre(y, d.resolution_unit);
}

}  // namespace

Status GatherTiffRows(const TiffBytes& b, const TiffDirectory& d, TiffRows* rows) {
  const uint32_t* offsets = d.strip_offsets.values();
  const uint32_t* counts = d.strip_byte_counts.values();
  uint64_t total = 0;
  for (uint32_t i = 0; i < d.strip_offsets.count; ++i) total += counts[i];
  if (total > UINT32_MAX) return Status::kUnsupported;
  for (uint32_t i = 0; i < d.strip_offsets.count; ++i) {
    if (!b.Holds(offsets[i], counts[i])) return Status::kReadFailed;
  }
  // Strips may share bytes, so their sum alone is not bounded by the file.
  if (total > b.size) return Status::kReadFailed;
  // The output's size was checked first, so width x height fits in 32 bits
  // and this product cannot overflow.
  const uint64_t needed = SourceRowBytes(d) * uint64_t(uint32_t(d.height));
  if (needed > total) return Status::kReadFailed;
  // Most writers put the strips one after another: their rows are then read
  // where they lie, which saves copying the whole picture once.
  if (!d.lsb_first && StripsFollowOn(d, needed)) {
    rows->data = b.data + offsets[0];
    return Status::kOk;
  }
  rows->joined = PageBlock(size_t(needed));
  if (!rows->joined) return Status::kNoMemory;
  uint64_t at = 0;
  for (uint32_t i = 0; i < d.strip_offsets.count && at < needed; ++i) {
    const uint64_t take = std::min<uint64_t>(counts[i], needed - at);
    std::memcpy(rows->joined.data() + at, b.data + offsets[i], size_t(take));
    at += take;
  }
  if (d.lsb_first) ReverseBits(rows->joined.data(), size_t(needed));
  rows->data = rows->joined.data();
  return Status::kOk;
}

Status CheckTiffOutput(const TiffDirectory& d) {
  Layout layout = Layout::kGrey;
  if (!ChooseLayout(d, &layout)) return Status::kUnsupported;
  uint32_t bytes = 0;
  const bool fits = PixelBlockBytes(d.width, d.height, layout == Layout::kRgb ? 24 : 8, &bytes);
  return fits ? Status::kOk : Status::kUnsupported;
}

Status MakeTiffImage(const TiffBytes& b, const TiffDirectory& d, const uint8_t* rows, ImageBuffer* target) {
  Layout layout = Layout::kGrey;
  if (!ChooseLayout(d, &layout)) return Status::kUnsupported;
  const int depth = layout == Layout::kRgb ? 24 : 8;
  if (Status s = AllocatePixels(target, d.width, d.height, depth); s != Status::kOk) return s;
  if (layout == Layout::kGrey) SetGreyPalette(d, target);
  if (layout == Layout::kPalette) {
    if (Status s = SetMapPalette(b, d, target); s != Status::kOk) return s;
  }
  const uint64_t row_bytes = SourceRowBytes(d);
  for (int32_t y = 0; y < d.height; ++y) {
    const uint8_t* in = rows + row_bytes * uint64_t(y);
    uint8_t* out = RowFromTop(*target, y);
    if (layout == Layout::kRgb) {
      CopyRgb(b, in, d.width, d.bits_per_sample, out);
    } else {
      UnpackIndices(in, d.width, d.bits_per_sample, out);
    }
  }
  target->header.x_pels_per_meter = 0;
  target->header.y_pels_per_meter = 0;
  SetResolution(b, d, target);
  target->source_bits_per_pixel = BitsPerPixel(d);
  return Status::kOk;
}
