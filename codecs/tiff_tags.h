// The TIFF field types and tags that this program's TIFF readers look at
// (the built-in codec and the compressed-TIFF plug-in).
#pragma once

#include <cstdint>

namespace tiff_tags {

constexpr uint16_t kTypeByte = 1;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
constexpr uint64_t kEntryBytes = 12;

// In pairs, to keep the list short.
enum Tag : uint16_t {
  kImageWidth = 256, kImageLength = 257,
  kBitsPerSample = 258, kCompression = 259,
  kPhotometric = 262, kFillOrder = 266,
  kImageDescription = 270, kStripOffsets = 273,
  kSamplesPerPixel = 277, kRowsPerStrip = 278,
  kStripByteCounts = 279, kXResolution = 282,
  kYResolution = 283, kPlanarConfiguration = 284,
  kResolutionUnit = 296, kPredictor = 317,
  kColorMap = 320, kTileWidth = 322,
  kTileLength = 323, kTileOffsets = 324,
  kTileByteCounts = 325, kExtraSamples = 338,
};

}  // namespace tiff_tags
