// The bitmap the decoded samples are gathered into: grey levels or palette
// indices at 8 bits, RGB at 24, with alpha kept aside until every chunk is
// in and then laid over white.
#pragma once

#include <cstdint>
#include <vector>

#include "plugins/plugin_dib.h"
#include "plugins/tiffx/tiffx_format.h"

class TiffxCanvas {
 public:
  explicit TiffxCanvas(const TiffxFormat& format);

  // The sample rows of one decoded chunk (`data`, chunk.rows of
  // chunk.row_bytes each) into their place in the picture.
  void Store(const TiffBytes& bytes, const TiffxChunk& chunk, const uint8_t* data);
  // The header with its colour table, and the bits, alpha applied.
  void Finish(const TiffBytes& bytes, PluginDib* out);

 private:
  uint32_t Sample(const TiffBytes& bytes, const uint8_t* row, uint64_t index) const;
  uint8_t Level(uint32_t value) const;
  void Put(uint32_t x, uint32_t y, uint32_t sample, uint8_t level);
  void LayOverWhite();
  void WriteHeader(const TiffBytes& bytes, std::vector<uint8_t>* info) const;

  const TiffxFormat& format_;
  uint32_t channels_;  // bytes per output pixel: 1 or 3
  uint64_t stride_;
  std::vector<uint8_t> bits_;
  std::vector<uint8_t> alpha_;
};
