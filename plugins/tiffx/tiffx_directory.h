// The first image file directory of a TIFF file as the plug-in reads it:
// every tag that says how the pixels are compressed and laid out in strips
// or tiles. Arrays stay where they are in the file, so a directory costs
// no memory however long its arrays are.
#pragma once

#include <cstdint>

#include "codecs/tiff_directory.h"

// SHORT, LONG or BYTE values of one entry, every one of them inside the file.
struct TiffxValues {
  const uint8_t* values = nullptr;
  uint32_t count = 0;
  uint16_t type = 0;

  bool present() const { return count > 0; }
  // Value `i` (below count) widened to 32 bits.
  uint32_t At(const TiffBytes& bytes, uint32_t i) const;
};

struct TiffxDirectory {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t samples_per_pixel = 1;
  TiffxValues bits_per_sample;
  uint32_t compression = 1;
  uint32_t photometric = 0;
  bool has_photometric = false;
  uint32_t planar_configuration = 1;
  uint32_t predictor = 1;
  uint32_t rows_per_strip = 0xFFFFFFFFu;
  uint32_t tile_width = 0;
  uint32_t tile_length = 0;
  TiffxValues strip_offsets;
  TiffxValues strip_byte_counts;
  TiffxValues tile_offsets;
  TiffxValues tile_byte_counts;
  TiffxValues color_map;
  TiffxValues extra_samples;
};

// Reads the directory at `offset`; false when its entries or any array they
// point to run outside the data, or an entry has a type its tag never has.
bool ReadTiffxDirectory(const TiffBytes& bytes, uint32_t offset, TiffxDirectory* directory);
