#include "codecs/bmp_writer.h"

#include <cstring>

#include "app/little_endian.h"
#include "effects/depth_converter.h"
#include "image/page_memory.h"

namespace {

constexpr uint32_t kHeadersBytes = 54;

bool IsWritableDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

uint32_t PaletteEntries(int bits) { return bits == 24 ? 0 : 1u << bits; }

struct BmpLayout {
  int bits;
  uint32_t palette_bytes;
  uint32_t pixel_bytes;
  uint32_t file_bytes;
};

// False when the file would not fit the 32-bit size field.
bool Plan(int bits, uint32_t pixel_bytes, BmpLayout* layout) {
  const uint32_t palette_bytes = 4 * PaletteEntries(bits);
  const uint64_t file_bytes = uint64_t{kHeadersBytes} + palette_bytes + pixel_bytes;
  if (file_bytes > UINT32_MAX) return false;
  *layout = {bits, palette_bytes, pixel_bytes, static_cast<uint32_t>(file_bytes)};
  return true;
}

void StoreHeaders(const DibHeader& image, const BmpLayout& layout, uint8_t* b) {
  std::memset(b, 0, kHeadersBytes);
  b[0] = 'B', b[1] = 'M';
  StoreU32(layout.file_bytes, b + 2);
  StoreU32(kHeadersBytes + layout.palette_bytes, b + 10);
  StoreU32(40, b + 14);
  StoreU32(static_cast<uint32_t>(image.width), b + 18);
  StoreU32(static_cast<uint32_t>(image.height), b + 22);
  StoreU16(1, b + 26);
  StoreU16(static_cast<uint16_t>(layout.bits), b + 28);
  StoreU32(static_cast<uint32_t>(image.x_pels_per_meter), b + 38);
  StoreU32(static_cast<uint32_t>(image.y_pels_per_meter), b + 42);
  StoreU32(PaletteEntries(layout.bits), b + 46);
}

Status Emit(const DibHeader& image, const BmpLayout& layout, const RgbQuad* palette,
            const uint8_t* pixels, ByteSink* out) {
  uint8_t headers[kHeadersBytes];
  StoreHeaders(image, layout, headers);
  uint8_t entries[1024];
  for (uint32_t i = 0; i < PaletteEntries(layout.bits); ++i) {
    entries[4 * i] = palette[i].blue;
    entries[4 * i + 1] = palette[i].green;
    entries[4 * i + 2] = palette[i].red;
    entries[4 * i + 3] = 0;
  }
  const bool written = out->Write(headers, sizeof(headers)) &&
                       out->Write(entries, layout.palette_bytes) &&
                       out->Write(pixels, layout.pixel_bytes);
  return written ? Status::kOk : Status::kCannotWrite;
}

Status WriteConverted(const ImageBuffer& image, int target_bits, bool dither, ByteSink* out) {
  DepthConverter converter;
  converter.width = image.header.width;
  converter.height = image.header.height;
  converter.dither = dither;
  PrepareDepthConverter(&converter, image.header.bit_count, target_bits);
  BmpLayout layout;
  if (!Plan(target_bits, converter.target_size, &layout)) return Status::kCannotWrite;
  PageBlock pixels(size_t{converter.target_size} + 4);
  if (!pixels) return Status::kNoMemory;
  RgbQuad palette[256] = {};
  Status status = ConvertDepth(converter, image.palette, image.pixels, palette, pixels.data());
  if (status != Status::kOk) return status == Status::kNoMemory ? status : Status::kEncodeFailed;
  return Emit(image.header, layout, palette, pixels.data(), out);
}

}  // namespace

Status WriteBmp(const ImageBuffer& image, int target_bits, bool dither, ByteSink* out) {
  const int image_bits = image.header.bit_count;
  if (!IsWritableDepth(target_bits) || !image.pixels || (image_bits != 8 && image_bits != 24)) {
    return Status::kEncodeFailed;
  }
  if (target_bits != image_bits) return WriteConverted(image, target_bits, dither, out);

  // A record that holds pixels always has a block size that fits; one that
  // does not was never allocated.
  uint32_t pixel_bytes = 0;
  if (!PixelBlockBytes(image.header.width, image.header.height, image_bits, &pixel_bytes)) {
    return Status::kNoMemory;
  }
  BmpLayout layout;
  if (!Plan(target_bits, pixel_bytes, &layout)) return Status::kCannotWrite;
  return Emit(image.header, layout, image.palette, image.pixels, out);
}
