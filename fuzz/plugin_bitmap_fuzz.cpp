// A plug-in module is someone else's code: whatever header and bits it
// hands over, taking them must stay inside both blocks and leave either an
// image the viewer can show or no pixels at all. The first two bytes say
// how much of the rest is the header block.
#include <cstddef>
#include <cstdint>

#include "codecs/plugin_bitmap.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t info_size = (size_t(data[0]) | size_t(data[1]) << 8) % 1200;
  data += 2;
  size -= 2;
  if (info_size > size) return 0;
  OwnedImage image;
  const Status status = TakePluginBitmap(data, info_size, data + info_size, size - info_size,
                                         info_size ? data[0] : 0, &image.record);
  const ImageBuffer& got = image.record;
  if (status != Status::kOk) {
    Require(got.pixels == nullptr, "a refused bitmap leaves no pixels");
    return 0;
  }
  Require(got.pixels != nullptr, "a taken bitmap has pixels");
  Require(got.header.bit_count == 8 || got.header.bit_count == 24, "8 or 24 bits stored");
  Require(got.header.width > 0 && got.header.height > 0, "a positive size");
  Require(got.source_format == kSourcePlugin, "source format 0");
  // Every byte of the block is there to be read.
  uint32_t sum = 0;
  const uint64_t bytes = RowStride(got.header.width, got.header.bit_count) * uint64_t(got.header.height);
  for (uint64_t i = 0; i < bytes; i += 4096) sum += got.pixels[i];
  (void)sum;
  return 0;
}
