// How the file's gamma and transparency change what the viewer shows, as
// the reading settings allow: the gamma table, the background chosen, the
// rule for each pixel and the changes to the palette.
#pragma once

#include <cstdint>

#include "codecs/png_extras.h"
#include "codecs/png_header.h"
#include "codecs/png_pixels.h"
#include "image/decode_settings.h"
#include "image/image_buffer.h"

struct PngAppearance {
  bool gamma_on = false;
  uint8_t gamma[256];  // v -> round(255 x (v / 255) ^ e)
  bool composite = false;
  Rgb background;      // after gamma when it is the file's own
  Rgb raw_background;  // before gamma, for indices the palette corrects later
};

// e = 1 / ((file gamma / 100000) x (display gamma / 1000)).
void FillGammaTable(uint32_t file_gamma, int32_t display_gamma, uint8_t table[256]);

PngAppearance AppearanceOf(const PngHeader& header, const PngExtras& extras,
                           const PngReadSettings& settings);

PngPixelRule PixelRuleOf(const PngHeader& header, const PngExtras& extras, const PngAppearance& look);

// The palette of an 8-bit result: the grey ramp or the file's palette, with
// gamma and the transparency of palette and grey images applied.
void FinishPalette(const PngHeader& header, const PngExtras& extras, const PngAppearance& look,
                   RgbQuad palette[256]);
