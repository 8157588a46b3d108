#include "plugins/tiffx/tiffx_core.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "plugins/tiffx/tiffx_canvas.h"
#include "plugins/tiffx/tiffx_chunk.h"
#include "plugins/tiffx/tiffx_directory.h"
#include "plugins/tiffx/tiffx_format.h"

namespace {

const char* const kInfo[] = {
    "00IN",
    "tiffx: compressed TIFF for Ovira",
    "*.tif;*.tiff",
    "TIFF images (LZW, PackBits, Deflate)",
};

bool AcceptsTiff(const uint8_t* head, size_t size) {
  return size >= 4 && (std::memcmp(head, "II*\0", 4) == 0 || std::memcmp(head, "MM\0*", 4) == 0);
}

// The largest chunk, once every chunk is known to fit; 0 when one does not.
uint64_t LargestChunk(const TiffBytes& b, const TiffxFormat& f) {
  uint64_t largest = 0;
  for (uint64_t i = 0; i < TiffxChunkCount(f); ++i) {
    if (!TiffxChunkFits(b, f, i)) return 0;
    largest = std::max(largest, TiffxChunkAt(f, i).bytes());
  }
  return largest;
}

}  // namespace

bool DecodeTiffx(const uint8_t* data, size_t size, PluginDib* out) {
  TiffBytes bytes;
  uint32_t first = 0;
  if (ReadTiffHeader(data, size, &bytes, &first) != Status::kOk) return false;
  TiffxDirectory directory;
  if (!ReadTiffxDirectory(bytes, first, &directory)) return false;
  TiffxFormat format;
  if (!DescribeTiffx(bytes, directory, &format)) return false;
  const uint64_t largest = LargestChunk(bytes, format);
  if (largest == 0) return false;
  std::vector<uint8_t> chunk(largest);
  TiffxCanvas canvas(format);
  for (uint64_t i = 0; i < TiffxChunkCount(format); ++i) {
    if (!DecodeTiffxChunk(bytes, format, i, chunk.data())) return false;
    canvas.Store(bytes, TiffxChunkAt(format, i), chunk.data());
  }
  canvas.Finish(bytes, out);
  return true;
}

const SpiImageCore& TiffxCore() {
  static const SpiImageCore core = {kInfo, sizeof(kInfo) / sizeof(kInfo[0]), AcceptsTiff, DecodeTiffx};
  return core;
}
