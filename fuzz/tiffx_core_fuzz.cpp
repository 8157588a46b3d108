// Any file may be handed to the tiffx plug-in, and its directory points
// anywhere in it. No entry, offset, count or compressed stream may make the
// core touch memory outside the data or its own buffers, or allocate more
// than the file can back; a bitmap it returns must be one the host takes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "image/win_records.h"
#include "plugins/tiffx/tiffx_core.h"

namespace {

void RequireConsistent(const PluginDib& dib) {
  Require(dib.info.size() >= sizeof(DibHeader), "the header is there");
  DibHeader h;
  std::memcpy(&h, dib.info.data(), sizeof(h));
  Require(h.size == sizeof(DibHeader) && h.planes == 1 && h.compression == 0, "a plain header");
  Require(h.width > 0 && h.height > 0, "positive dimensions");
  Require(uint64_t(h.width) * uint64_t(h.height) <= kPluginPixelLimit, "within the pixel limit");
  Require(h.bit_count == 8 || h.bit_count == 24, "8 or 24 bits");
  const uint64_t colours = h.bit_count == 8 ? (h.clr_used ? h.clr_used : 256) : 0;
  Require(colours <= 256, "at most 256 colours");
  Require(dib.info.size() == sizeof(DibHeader) + colours * sizeof(RgbQuad), "the table follows the header");
  const uint64_t stride = (uint64_t(h.width) * h.bit_count / 8 + 3) / 4 * 4;
  Require(dib.bits.size() == stride * uint64_t(h.height), "the bits fill every padded row");
  Require(h.size_image == dib.bits.size(), "the header gives the size of the bits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SpiImageCore& core = TiffxCore();
  PluginDib dib;
  const bool accepted = core.accepts(data, size);
  if (core.decode(data, size, &dib)) {
    Require(accepted, "a decoded file has the signature");
    RequireConsistent(dib);
  } else {
    Require(dib.info.empty() && dib.bits.empty(), "a refusal hands over nothing");
  }
  return 0;
}
