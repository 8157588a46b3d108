#include "plugins/tiffx/tiffx_format.h"

#include <algorithm>

#include "plugins/plugin_dib.h"

namespace {

constexpr uint32_t kMaxSamples = 8;
constexpr uint32_t kPhotometricWhiteIsZero = 0;
constexpr uint32_t kPhotometricBlackIsZero = 1;
constexpr uint32_t kPhotometricRgb = 2;
constexpr uint32_t kPhotometricPalette = 3;

bool IsKnownCompression(uint32_t c) { return c == 1 || c == 5 || c == 8 || c == 32946 || c == 32773; }

bool IsKnownDepth(uint32_t bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }

uint64_t CeilDiv(uint64_t a, uint64_t b) { return (a + b - 1) / b; }

// Every sample must have the same depth.
bool ReadDepth(const TiffBytes& b, const TiffxDirectory& d, uint32_t* bits) {
  if (!d.bits_per_sample.present()) return true;  // the default of 1
  *bits = d.bits_per_sample.At(b, 0);
  const uint32_t given = std::min(d.bits_per_sample.count, d.samples_per_pixel);
  for (uint32_t i = 1; i < given; ++i) {
    if (d.bits_per_sample.At(b, i) != *bits) return false;
  }
  return IsKnownDepth(*bits);
}

// The first extra sample, when it is alpha, sits at `sample`.
void ReadAlpha(const TiffBytes& b, const TiffxDirectory& d, uint32_t sample, TiffxFormat* f) {
  if (d.samples_per_pixel <= sample || !d.extra_samples.present()) return;
  const uint32_t kind = d.extra_samples.At(b, 0);
  if (kind != 1 && kind != 2) return;
  f->alpha = kind == 1 ? TiffxAlpha::kAssociated : TiffxAlpha::kUnassociated;
  f->alpha_sample = sample;
}

bool ReadColour(const TiffBytes& b, const TiffxDirectory& d, TiffxFormat* f) {
  if (!d.has_photometric) return false;
  const uint32_t samples = d.samples_per_pixel;
  const uint32_t bits = f->bits_per_sample;
  switch (d.photometric) {
    case kPhotometricWhiteIsZero:
    case kPhotometricBlackIsZero:
      f->colour = TiffxColour::kGrey;
      f->white_is_zero = d.photometric == kPhotometricWhiteIsZero;
      ReadAlpha(b, d, 1, f);
      return samples == 1 || bits >= 8;
    case kPhotometricRgb:
      f->colour = TiffxColour::kRgb;
      ReadAlpha(b, d, 3, f);
      return samples >= 3 && bits >= 8;
    case kPhotometricPalette:
      f->colour = TiffxColour::kPalette;
      f->color_map = d.color_map;
      return samples == 1 && bits <= 8 && d.color_map.type == 3 && d.color_map.count >= (3u << bits);
    default:
      return false;
  }
}

bool ReadGrid(const TiffxDirectory& d, TiffxFormat* f) {
  const bool planar = d.planar_configuration == 2;
  if (!planar && d.planar_configuration != 1) return false;
  f->planes = planar ? f->samples_per_pixel : 1;
  f->samples_in_chunk = planar ? 1 : f->samples_per_pixel;
  f->tiled = d.tile_offsets.present() || d.tile_byte_counts.present();
  if (f->tiled) {
    if (d.tile_width == 0 || d.tile_length == 0) return false;
    if (uint64_t{d.tile_width} * d.tile_length > kPluginPixelLimit) return false;
    f->chunk_width = d.tile_width;
    f->chunk_height = d.tile_length;
    f->offsets = d.tile_offsets;
    f->byte_counts = d.tile_byte_counts;
  } else {
    f->chunk_width = f->width;
    const uint32_t rows = d.rows_per_strip;
    f->chunk_height = rows == 0 || rows > f->height ? f->height : rows;
    f->offsets = d.strip_offsets;
    f->byte_counts = d.strip_byte_counts;
  }
  f->across = uint32_t(CeilDiv(f->width, f->chunk_width));
  f->down = uint32_t(CeilDiv(f->height, f->chunk_height));
  const uint64_t count = TiffxChunkCount(*f);
  return f->offsets.count >= count && f->byte_counts.count >= count;
}

}  // namespace

bool DescribeTiffx(const TiffBytes& b, const TiffxDirectory& d, TiffxFormat* f) {
  if (d.width == 0 || d.height == 0) return false;
  if (uint64_t{d.width} * d.height > kPluginPixelLimit) return false;
  if (d.samples_per_pixel == 0 || d.samples_per_pixel > kMaxSamples) return false;
  if (!IsKnownCompression(d.compression)) return false;
  f->width = d.width;
  f->height = d.height;
  f->samples_per_pixel = d.samples_per_pixel;
  f->compression = d.compression;
  if (!ReadDepth(b, d, &f->bits_per_sample)) return false;
  if (d.predictor != 1 && d.predictor != 2) return false;
  f->predictor = d.predictor == 2;
  if (f->predictor && f->bits_per_sample < 8) return false;
  return ReadColour(b, d, f) && ReadGrid(d, f);
}

uint64_t TiffxChunkCount(const TiffxFormat& f) { return uint64_t{f.across} * f.down * f.planes; }

TiffxChunk TiffxChunkAt(const TiffxFormat& f, uint64_t index) {
  const uint64_t per_plane = uint64_t{f.across} * f.down;
  const uint64_t within = index % per_plane;
  TiffxChunk c;
  c.plane = uint32_t(index / per_plane);
  c.x = uint32_t(within % f.across * f.chunk_width);
  c.y = uint32_t(within / f.across * f.chunk_height);
  c.visible_width = std::min(f.chunk_width, f.width - c.x);
  c.visible_rows = std::min(f.chunk_height, f.height - c.y);
  c.rows = f.tiled ? f.chunk_height : c.visible_rows;
  c.row_bytes = CeilDiv(uint64_t{f.chunk_width} * f.samples_in_chunk * f.bits_per_sample, 8);
  return c;
}
