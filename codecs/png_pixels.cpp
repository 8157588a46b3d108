#include "codecs/png_pixels.h"

#include <cstring>

namespace {

// Samples below 8 bits, most significant first, one index byte each.
template <int kBits>
void UnpackRow(const uint8_t* in, uint32_t columns, uint8_t* out, const PngPixelRule&) {
  constexpr int kPerByte = 8 / kBits;
  constexpr uint8_t kMask = (1 << kBits) - 1;
  uint32_t x = 0;
  for (; x + kPerByte <= columns; x += kPerByte) {
    const uint8_t packed = *in++;
    for (int k = 0; k < kPerByte; ++k) out[x + k] = (packed >> (8 - kBits * (k + 1))) & kMask;
  }
  if (x < columns) {
    const uint8_t packed = *in;
    for (int k = 0; x < columns; ++x, ++k) out[x] = (packed >> (8 - kBits * (k + 1))) & kMask;
  }
}

// One sample (the high byte of 16-bit ones) per index byte.
template <int kSampleBytes>
void IndexRow(const uint8_t* in, uint32_t columns, uint8_t* out, const PngPixelRule&) {
  if constexpr (kSampleBytes == 1) {
    std::memcpy(out, in, columns);
  } else {
    for (uint32_t x = 0; x < columns; ++x) out[x] = in[x * 2];
  }
}

// Grey with alpha: the grey index blended with the background's red.
template <int kSampleBytes, bool kBlend>
void GreyAlphaRow(const uint8_t* in, uint32_t columns, uint8_t* out, const PngPixelRule& rule) {
  const uint8_t background = rule.background[2];
  for (uint32_t x = 0; x < columns; ++x, in += 2 * kSampleBytes) {
    const uint8_t grey = in[0];
    if constexpr (kBlend) {
      const uint8_t alpha = in[kSampleBytes];
      out[x] = uint8_t(Blend(alpha, grey) + Blend(255 - alpha, background));
    } else {
      out[x] = grey;
    }
  }
}

template <bool kGamma>
uint8_t Corrected(const uint8_t* gamma, uint8_t value) {
  if constexpr (kGamma) {
    return gamma[value];
  } else {
    return value;
  }
}

// Colour without alpha; with a key colour, pixels of that colour (as stored,
// before gamma) become the background.
template <int kSampleBytes, bool kGamma, bool kKey>
void ColourRow(const uint8_t* in, uint32_t columns, uint8_t* out, const PngPixelRule& rule) {
  const uint8_t* g = rule.gamma;
  for (uint32_t x = 0; x < columns; ++x, in += 3 * kSampleBytes, out += 3) {
    const uint8_t red = in[0], green = in[kSampleBytes], blue = in[2 * kSampleBytes];
    if constexpr (kKey) {
      if (red == rule.key[0] && green == rule.key[1] && blue == rule.key[2]) {
        std::memcpy(out, rule.background, 3);
        continue;
      }
    }
    out[0] = Corrected<kGamma>(g, blue);
    out[1] = Corrected<kGamma>(g, green);
    out[2] = Corrected<kGamma>(g, red);
  }
}

template <int kSampleBytes, bool kGamma, bool kBlend>
void ColourAlphaRow(const uint8_t* in, uint32_t columns, uint8_t* out, const PngPixelRule& rule) {
  const uint8_t* g = rule.gamma;
  const uint8_t* bg = rule.background;
  for (uint32_t x = 0; x < columns; ++x, in += 4 * kSampleBytes, out += 3) {
    const uint8_t blue = Corrected<kGamma>(g, in[2 * kSampleBytes]);
    const uint8_t green = Corrected<kGamma>(g, in[kSampleBytes]);
    const uint8_t red = Corrected<kGamma>(g, in[0]);
    if constexpr (kBlend) {
      const uint32_t a = in[3 * kSampleBytes], rest = 255 - a;
      out[0] = uint8_t(Blend(a, blue) + Blend(rest, bg[0]));
      out[1] = uint8_t(Blend(a, green) + Blend(rest, bg[1]));
      out[2] = uint8_t(Blend(a, red) + Blend(rest, bg[2]));
    } else {
      out[0] = blue;
      out[1] = green;
      out[2] = red;
    }
  }
}

template <int kSampleBytes, bool kGamma>
PngRowConverter ColourConverter(const PngHeader& h, const PngPixelRule& rule) {
  if (h.colour_type == kPngColourAlpha) {
    return rule.blend_alpha ? ColourAlphaRow<kSampleBytes, kGamma, true>
                            : ColourAlphaRow<kSampleBytes, kGamma, false>;
  }
  return rule.key_colour ? ColourRow<kSampleBytes, kGamma, true> : ColourRow<kSampleBytes, kGamma, false>;
}

template <int kSampleBytes>
PngRowConverter OneByteConverter(const PngHeader& h, const PngPixelRule& rule) {
  if (h.colour_type == kPngGreyAlpha) {
    return rule.blend_alpha ? GreyAlphaRow<kSampleBytes, true> : GreyAlphaRow<kSampleBytes, false>;
  }
  return IndexRow<kSampleBytes>;
}

template <int kSampleBytes>
PngRowConverter ConverterOfSampleSize(const PngHeader& h, const PngPixelRule& rule) {
  if (h.output_bits() == 8) return OneByteConverter<kSampleBytes>(h, rule);
  return rule.gamma ? ColourConverter<kSampleBytes, true>(h, rule)
                    : ColourConverter<kSampleBytes, false>(h, rule);
}

}  // namespace

PngRowConverter ConverterFor(const PngHeader& h, const PngPixelRule& rule) {
  switch (h.depth) {
    case 1: return UnpackRow<1>;
    case 2: return UnpackRow<2>;
    case 4: return UnpackRow<4>;
    case 8: return ConverterOfSampleSize<1>(h, rule);
    default: return ConverterOfSampleSize<2>(h, rule);
  }
}
