// What a directory describes, checked to be a picture the plug-in shows:
// the sample layout, the colour model and the grid of strips or tiles
// ("chunks") that the pixels come in.
#pragma once

#include <cstdint>

#include "plugins/tiffx/tiffx_directory.h"

enum class TiffxColour { kGrey, kPalette, kRgb };
enum class TiffxAlpha { kNone, kAssociated, kUnassociated };

struct TiffxFormat {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t samples_per_pixel = 1;
  uint32_t bits_per_sample = 1;
  uint32_t compression = 1;
  bool predictor = false;  // horizontal differencing
  bool white_is_zero = false;
  TiffxColour colour = TiffxColour::kGrey;
  TiffxAlpha alpha = TiffxAlpha::kNone;
  uint32_t alpha_sample = 0;  // which sample holds alpha, when there is one
  TiffxValues color_map;
  // The chunk grid: every chunk is chunk_width x chunk_height pixels (the
  // last strip fewer rows), `across` x `down` of them per plane.
  uint32_t chunk_width = 0;
  uint32_t chunk_height = 0;
  uint32_t across = 0;
  uint32_t down = 0;
  uint32_t planes = 1;             // samples_per_pixel when planar, else 1
  uint32_t samples_in_chunk = 1;   // 1 when planar, else samples_per_pixel
  bool tiled = false;
  TiffxValues offsets;
  TiffxValues byte_counts;
};

// One strip or tile: where its pixels go and how many bytes it decodes to.
struct TiffxChunk {
  uint32_t x = 0;
  uint32_t y = 0;
  uint32_t plane = 0;
  uint32_t visible_width = 0;
  uint32_t visible_rows = 0;
  uint64_t rows = 0;       // rows it holds: a tile's full height, a strip's own
  uint64_t row_bytes = 0;
  uint64_t bytes() const { return rows * row_bytes; }
};

// False for a picture outside what the plug-in reads, or beyond the pixel
// limit, or whose chunk arrays are missing or short.
bool DescribeTiffx(const TiffBytes& bytes, const TiffxDirectory& directory, TiffxFormat* format);

uint64_t TiffxChunkCount(const TiffxFormat& format);
// Chunk `index`, below TiffxChunkCount.
TiffxChunk TiffxChunkAt(const TiffxFormat& format, uint64_t index);
