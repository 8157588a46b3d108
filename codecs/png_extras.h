// What the chunks around the image data add to it: the palette, gamma,
// background and transparency, resolution and the text counts. Chunks that
// break the rules of their kind are passed over, never fatal, except the
// palette, which the image cannot do without.
#pragma once

#include <cstdint>

#include "codecs/png_chunk.h"
#include "codecs/png_header.h"
#include "image/win_records.h"

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
};

struct PngExtras {
  RgbQuad palette[256] = {};
  int palette_entries = 0;
  bool palette_seen = false;
  bool image_data_seen = false;

  bool gamma_seen = false;
  uint32_t gamma = 0;  // x 100000; 0 when none was taken

  bool background_seen = false;
  bool has_background = false;
  Rgb background;  // as the file gives it, before any gamma

  bool transparency_seen = false;
  bool has_transparency = false;
  uint8_t palette_alpha[256];  // palette images: alpha of each entry
  Rgb transparent;             // grey (in red) or colour images: the one transparent value

  int32_t x_resolution = 0, y_resolution = 0;  // pixels per metre
  int text_chunks = 0;
  int comments = 0;
};

// A PLTE of a palette image: kPngChunkOrder after the image data or a first
// palette, kPngBadChecksum when its CRC fails.
Status TakePalette(const PngChunk& chunk, const PngHeader& header, PngExtras* extras);

// Any chunk that is neither header, palette, image data nor end.
void TakeAncillaryChunk(const PngChunk& chunk, const PngHeader& header, PngExtras* extras);
