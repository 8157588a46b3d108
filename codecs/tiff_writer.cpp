#include "codecs/tiff_writer.h"

#include <algorithm>
#include <cstring>

#include "app/little_endian.h"
#include "codecs/converted_pixels.h"

namespace {

enum TiffType : uint16_t { kShort = 3, kLong = 4, kRational = 5 };
enum Photometric : uint16_t { kBlackIsZero = 1, kRgb = 2, kPalette = 3 };

constexpr uint32_t kDirectoryOffset = 8;
constexpr uint32_t kEntryBytes = 12;
constexpr uint32_t kRationalBytes = 8;
constexpr uint32_t kResolutionDenominator = 10000;
// The 8-bit palette's: 12 entries and a map of 768 values.
constexpr size_t kLargestHead = 1710;

struct TiffLayout {
  uint16_t photometric;
  uint16_t bits_per_sample;
  uint16_t samples;
  uint32_t colour_map_values;  // 3 x 2^bits for a palette, else 0

  uint16_t entries() const { return samples == 3 || colour_map_values ? 12 : 11; }
  int bits_per_pixel() const { return bits_per_sample * samples; }
  // What lies behind the directory, in file order.
  uint32_t bits_offset() const { return kDirectoryOffset + 2 + entries() * kEntryBytes + 4; }
  uint32_t x_resolution_offset() const { return bits_offset() + (samples == 3 ? 6 : 0); }
  uint32_t y_resolution_offset() const { return x_resolution_offset() + kRationalBytes; }
  uint32_t colour_map_offset() const { return y_resolution_offset() + kRationalBytes; }
  uint32_t strip_offset() const { return colour_map_offset() + 2 * colour_map_values; }
};

bool ChooseLayout(int bits, bool grey, TiffLayout* layout) {
  switch (bits) {
    case 1: *layout = {kBlackIsZero, 1, 1, 0}; return true;
    case 4: *layout = {kPalette, 4, 1, 3 * 16}; return true;
    case 8: *layout = grey ? TiffLayout{kBlackIsZero, 8, 1, 0} : TiffLayout{kPalette, 8, 1, 3 * 256};
            return true;
    case 24: *layout = {kRgb, 8, 3, 0}; return true;
    default: return false;
  }
}

// The rational's numerator: pixels per inch times 10000. One too large for
// 32 bits keeps its whole inches over a denominator of 1 instead of
// wrapping into a wrong value; a negative one is no resolution.
void StoreResolution(int32_t pixels_per_metre, uint8_t* at) {
  const uint64_t numerator = uint64_t(std::max(pixels_per_metre, 0)) * 254;
  if (numerator <= UINT32_MAX) {
    StoreU32(static_cast<uint32_t>(numerator), at);
    StoreU32(kResolutionDenominator, at + 4);
  } else {
    StoreU32(static_cast<uint32_t>((numerator + kResolutionDenominator / 2) / kResolutionDenominator), at);
    StoreU32(1, at + 4);
  }
}

class DirectoryWriter {
 public:
  explicit DirectoryWriter(uint8_t* at) : at_(at) {}
  void Add(uint16_t tag, TiffType type, uint32_t count, uint32_t value) {
    StoreU16(tag, at_);
    StoreU16(type, at_ + 2);
    StoreU32(count, at_ + 4);
    // A SHORT value sits in the field's first two bytes, which little-endian
    // order makes the same as storing it as a LONG.
    StoreU32(value, at_ + 8);
    at_ += kEntryBytes;
  }

 private:
  uint8_t* at_;
};

// Header, directory and the values behind it, up to the strip.
size_t LayOutHead(const TiffLayout& layout, const ImageBuffer& image, const TiffWriteContext& c,
                  const RgbQuad* palette, uint32_t strip_bytes, uint8_t* head) {
  const uint32_t strip_offset = layout.strip_offset();
  std::memset(head, 0, strip_offset);
  head[0] = 'I', head[1] = 'I';
  StoreU16(42, head + 2);
  StoreU32(kDirectoryOffset, head + 4);
  StoreU16(layout.entries(), head + kDirectoryOffset);
  DirectoryWriter d(head + kDirectoryOffset + 2);
  const uint32_t width = static_cast<uint32_t>(image.header.width);
  const uint32_t height = static_cast<uint32_t>(image.header.height);
  d.Add(256, kLong, 1, width);
  d.Add(257, kLong, 1, height);
  if (layout.samples == 3) {
    d.Add(258, kShort, 3, layout.bits_offset());
  } else {
    d.Add(258, kShort, 1, layout.bits_per_sample);
  }
  d.Add(259, kShort, 1, 1);
  d.Add(262, kShort, 1, layout.photometric);
  d.Add(273, kLong, 1, strip_offset);
  if (layout.samples == 3) d.Add(277, kShort, 1, 3);
  d.Add(278, kLong, 1, height);
  d.Add(279, kLong, 1, strip_bytes);
  d.Add(282, kRational, 1, layout.x_resolution_offset());
  d.Add(283, kRational, 1, layout.y_resolution_offset());
  d.Add(296, kShort, 1, 2);
  if (layout.colour_map_values) d.Add(320, kShort, layout.colour_map_values, layout.colour_map_offset());
  // The next directory's offset stays 0.
  if (layout.samples == 3) {
    for (int i = 0; i < 3; ++i) StoreU16(8, head + layout.bits_offset() + 2 * i);
  }
  StoreResolution(c.x_resolution, head + layout.x_resolution_offset());
  StoreResolution(c.y_resolution, head + layout.y_resolution_offset());
  // Full intensity is 65535, so a byte v is v x 257: readers that scale
  // the map get the colour exactly, and those taking the high byte get v.
  const uint32_t entries = layout.colour_map_values / 3;
  uint8_t* map = head + layout.colour_map_offset();
  for (uint32_t i = 0; i < entries; ++i) {
    StoreU16(static_cast<uint16_t>(palette[i].red * 257), map + 2 * i);
    StoreU16(static_cast<uint16_t>(palette[i].green * 257), map + 2 * (entries + i));
    StoreU16(static_cast<uint16_t>(palette[i].blue * 257), map + 2 * (2 * entries + i));
  }
  return strip_offset;
}

// Picture rows from the top, unpadded, RGB pixels in red, green, blue order;
// gathered into large writes.
Status WriteStrip(const ConvertedPixels& pixels, uint32_t height, bool rgb, ByteSink* out) {
  constexpr size_t kStaging = size_t{1} << 18;
  const size_t row_bytes = pixels.row_bytes;
  const size_t rows_per_write = std::max<size_t>(1, kStaging / row_bytes);
  PageBlock staging(std::min<size_t>(rows_per_write, height) * row_bytes);
  if (!staging) return Status::kNoMemory;
  uint8_t* filled = staging.data();
  for (uint32_t row = 0; row < height; ++row) {
    const uint8_t* source = pixels.rows + size_t{height - 1 - row} * pixels.stride;
    if (rgb) {
      for (size_t x = 0; x < row_bytes; x += 3) {
        filled[x] = source[x + 2], filled[x + 1] = source[x + 1], filled[x + 2] = source[x];
      }
    } else {
      std::memcpy(filled, source, row_bytes);
    }
    filled += row_bytes;
    if (filled == staging.data() + staging.size() || row + 1 == height) {
      if (!out->Write(staging.data(), static_cast<size_t>(filled - staging.data()))) {
        return Status::kCannotWrite;
      }
      filled = staging.data();
    }
  }
  return Status::kOk;
}

Status Convert(const ImageBuffer& image, const TiffWriteContext& c, const TiffLayout& layout,
               ConvertedPixels* pixels) {
  if (layout.photometric == kBlackIsZero && layout.bits_per_sample == 8) {
    return ConvertPixelsToGrey(image, pixels);
  }
  return ConvertPixels(image, layout.bits_per_pixel(), c.dither, pixels);
}

}  // namespace

Status WriteTiff(const ImageBuffer& image, const TiffWriteContext& c, ByteSink* out) {
  TiffLayout layout;
  if (!ChooseLayout(c.bits, c.grey, &layout)) return Status::kCannotWrite;
  const uint64_t width = uint64_t(std::max(image.header.width, 0));
  const uint64_t height = uint64_t(std::max(image.header.height, 0));
  const uint64_t strip_bytes = (width * uint64_t(layout.bits_per_pixel()) + 7) / 8 * height;
  if (strip_bytes > UINT32_MAX) return Status::kCannotWrite;
  ConvertedPixels pixels;
  if (Status s = Convert(image, c, layout, &pixels); s != Status::kOk) return s;
  uint8_t head[kLargestHead];
  const size_t head_bytes =
      LayOutHead(layout, image, c, pixels.palette, static_cast<uint32_t>(strip_bytes), head);
  if (!out->Write(head, head_bytes)) return Status::kCannotWrite;
  return WriteStrip(pixels, static_cast<uint32_t>(height), layout.samples == 3, out);
}
