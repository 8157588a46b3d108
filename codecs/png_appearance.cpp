#include "codecs/png_appearance.h"

#include <cmath>
#include <cstring>

namespace {

Rgb Corrected(const Rgb& c, const uint8_t gamma[256]) {
  return {gamma[c.red], gamma[c.green], gamma[c.blue]};
}

void FillGreyRamp(uint8_t depth, RgbQuad palette[256]) {
  const int levels = depth >= 8 ? 256 : 1 << depth;
  const int step = 255 / (levels - 1);
  for (int i = 0; i < levels; ++i) {
    const uint8_t v = static_cast<uint8_t>(i * step);
    palette[i] = {v, v, v, 0};
  }
}

uint8_t BlendChannel(uint32_t alpha, uint8_t value, uint8_t background) {
  return static_cast<uint8_t>(Blend(alpha, value) + Blend(255 - alpha, background));
}

}  // namespace

void FillGammaTable(uint32_t file_gamma, int32_t display_gamma, uint8_t table[256]) {
  const double display = display_gamma < 1 ? 1.0 : display_gamma;
  const double exponent = 1.0 / ((file_gamma / 100000.0) * (display / 1000.0));
  for (int v = 0; v < 256; ++v) {
    table[v] = static_cast<uint8_t>(std::lround(255.0 * std::pow(v / 255.0, exponent)));
  }
}

PngAppearance AppearanceOf(const PngHeader& header, const PngExtras& extras,
                           const PngReadSettings& settings) {
  PngAppearance look;
  look.gamma_on = settings.gamma_correction && extras.gamma != 0;
  if (look.gamma_on) FillGammaTable(extras.gamma, settings.display_gamma, look.gamma);
  look.composite = settings.composite_transparency && (header.has_alpha() || extras.has_transparency);
  if (extras.has_background && settings.use_file_background) {
    look.raw_background = extras.background;
    look.background = look.gamma_on ? Corrected(extras.background, look.gamma) : extras.background;
  } else {
    const uint32_t c = settings.background_colour;
    look.background = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
    look.raw_background = look.background;
  }
  return look;
}

PngPixelRule PixelRuleOf(const PngHeader& header, const PngExtras& extras, const PngAppearance& look) {
  PngPixelRule rule;
  if (look.gamma_on && header.output_bits() == 24) rule.gamma = look.gamma;
  rule.blend_alpha = look.composite && header.has_alpha();
  rule.key_colour = look.composite && header.colour_type == kPngColour && extras.has_transparency;
  rule.key[0] = extras.transparent.red;
  rule.key[1] = extras.transparent.green;
  rule.key[2] = extras.transparent.blue;
  // Grey indices blended with the background go through the corrected
  // palette afterwards, so they take the background before correction: the
  // file's background is corrected once, as in colour images.
  const Rgb& bg = header.output_bits() == 8 ? look.raw_background : look.background;
  rule.background[0] = bg.blue;
  rule.background[1] = bg.green;
  rule.background[2] = bg.red;
  return rule;
}

void FinishPalette(const PngHeader& header, const PngExtras& extras, const PngAppearance& look,
                   RgbQuad palette[256]) {
  if (header.colour_type == kPngPalette) {
    std::memcpy(palette, extras.palette, sizeof(extras.palette));
  } else {
    FillGreyRamp(header.depth, palette);
  }
  if (look.gamma_on) {
    for (int i = 0; i < 256; ++i) {
      palette[i] = {look.gamma[palette[i].blue], look.gamma[palette[i].green], look.gamma[palette[i].red], 0};
    }
  }
  if (!look.composite || !extras.has_transparency) return;
  const Rgb& bg = look.background;
  if (header.colour_type == kPngGrey) {
    palette[extras.transparent.red] = {bg.blue, bg.green, bg.red, 0};
    return;
  }
  for (int i = 0; i < 256; ++i) {
    const uint8_t a = extras.palette_alpha[i];
    RgbQuad& e = palette[i];
    e = {BlendChannel(a, e.blue, bg.blue), BlendChannel(a, e.green, bg.green),
         BlendChannel(a, e.red, bg.red), 0};
  }
}
