// WebP files come from anywhere, and the plug-in hands libwebp whatever a
// folder holds. No input may crash the core or make it report a bitmap
// other than the 24-bit one the header and the bits agree on; a refusal
// keeps nothing.
#include <webp/decode.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "image/win_records.h"
#include "plugins/webp/webp_core.h"

namespace {

// Pictures the fuzzer may make the core fill; larger claims are judged by
// their header alone.
constexpr uint64_t kMaxPixels = uint64_t{1} << 22;

uint64_t ClaimedPixels(const uint8_t* data, size_t size) {
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) return 0;
  return uint64_t(uint32_t(features.width)) * uint64_t(uint32_t(features.height));
}

void RequireBitmap(const PluginDib& dib, const uint8_t* data, size_t size) {
  Require(WebpCore().accepts(data, size < 2048 ? size : 2048), "what is read is what is accepted");
  Require(dib.info.size() == sizeof(DibHeader), "a 24-bit bitmap has a bare header");
  DibHeader h;
  std::memcpy(&h, dib.info.data(), sizeof h);
  Require(h.size == 40 && h.planes == 1 && h.bit_count == 24 && h.compression == 0, "a plain 24-bit header");
  Require(h.width > 0 && h.height > 0, "positive sizes, rows bottom-up");
  Require(uint64_t(h.width) * uint64_t(h.height) <= kPluginPixelLimit, "within the pixel limit");
  const uint64_t stride = (uint64_t(h.width) * 3 + 3) & ~uint64_t(3);
  Require(dib.bits.size() == stride * uint64_t(h.height), "the bits fill the rows the header names");
  Require(h.size_image == dib.bits.size(), "the header counts the bits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ClaimedPixels(data, size) > kMaxPixels) return 0;
  PluginDib dib;
  if (WebpCore().decode(data, size, &dib)) {
    RequireBitmap(dib, data, size);
  } else {
    Require(dib.info.empty() && dib.bits.empty(), "a refusal keeps no bitmap");
  }
  return 0;
}
