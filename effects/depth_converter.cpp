#include "effects/depth_converter.h"

#include <algorithm>

#include "effects/depth_copies.h"
#include "effects/grey_threshold.h"
#include "effects/palette_reduction.h"
#include "effects/source_image.h"

namespace {

uint64_t NonNegative(int32_t value) { return static_cast<uint64_t>(std::max(value, 0)); }

uint32_t ZeroUnless32Bits(uint64_t value) {
  return value <= UINT32_MAX ? static_cast<uint32_t>(value) : 0;
}

uint64_t UnpaddedRowBytes(uint64_t width, int bits) {
  switch (bits) {
    case 1: return (width + 7) >> 3;
    case 2: return (width + 3) >> 2;
    case 4: return (width + 1) >> 1;
    case 8: return width;
    case 24: return 3 * width;
    case 32: return 4 * width;
    case 48: return 6 * width;
    default: return 0;
  }
}

void SetTargetRows(DepthConverter* c, uint32_t row_bytes, uint64_t stride) {
  c->target_row_bytes = row_bytes;
  c->target_stride = row_bytes ? ZeroUnless32Bits(stride) : 0;
  c->target_size = ZeroUnless32Bits(uint64_t{c->target_stride} * NonNegative(c->height));
}

// The target block must be the one the encoder allocated from a prepared
// converter; anything else is refused rather than overrun.
bool SamePreparation(const DepthConverter& given, const DepthConverter& fresh) {
  return given.target_row_bytes == fresh.target_row_bytes &&
         given.target_stride == fresh.target_stride && given.target_size == fresh.target_size &&
         fresh.target_size != 0;
}

bool IsPrepared(const DepthConverter& c) {
  DepthConverter fresh = c;
  PrepareDepthConverter(&fresh, c.source_bits, c.target_bits);
  return SamePreparation(c, fresh);
}

bool IsPreparedOneBytePerPixel(const DepthConverter& c) {
  DepthConverter fresh = c;
  PrepareOneBytePerPixel(&fresh, c.source_bits, c.target_bits);
  return SamePreparation(c, fresh);
}

Status Reduce(const SourceImage& image, int target_bits, int fixed_colours, bool dither,
              const IndexLayout& layout, RgbQuad* palette, uint8_t* target) {
  if (target_bits == 1) return ThresholdToBlackAndWhite(image, dither, layout, palette, target);
  const ReductionPlan plan = {1 << target_bits, dither ? fixed_colours : 0, dither, layout};
  return ReducePalette(image, plan, palette, target);
}

// Four-colour palettes keep no reference colours; larger ones keep eight.
Status ReduceToTargetDepth(const DepthConverter& c, const SourceImage& image, RgbQuad* palette,
                           uint8_t* target) {
  const int fixed = c.target_bits == 2 ? 0 : 8;
  return Reduce(image, c.target_bits, fixed, c.dither, {c.target_bits, c.target_stride}, palette,
                target);
}

Status ConvertFromTrueColour(const DepthConverter& c, const SourceImage& image,
                             RgbQuad* palette, uint8_t* target) {
  switch (c.target_bits) {
    case 1:
    case 2:
    case 4:
    case 8: return ReduceToTargetDepth(c, image, palette, target);
    case 24: CopyUnchanged(image, palette, target); return Status::kOk;
    case 48: WidenSamples(image, c.target_stride, target); return Status::kOk;
    default: return Status::kEncodeFailed;
  }
}

Status ConvertFromPalette(const DepthConverter& c, const SourceImage& image, RgbQuad* palette,
                          uint8_t* target) {
  switch (c.target_bits) {
    case 1:
    case 2:
    case 4: return ReduceToTargetDepth(c, image, palette, target);
    case 8: CopyUnchanged(image, palette, target); return Status::kOk;
    case 24: LookUpPaletteColours(image, c.target_stride, target); return Status::kOk;
    default: return Status::kEncodeFailed;
  }
}

Status ConvertFromPackedIndices(const DepthConverter& c, const SourceImage& image,
                                RgbQuad* palette, uint8_t* target) {
  if (c.target_bits == 8) {
    UnpackIndices(image, c.target_stride, palette, target);
    return Status::kOk;
  }
  if (c.target_bits == 24 && image.bits != 2) {
    LookUpPaletteColours(image, c.target_stride, target);
    return Status::kOk;
  }
  return Status::kEncodeFailed;
}

// Reference colours kept by the GIF form's dithered palettes.
int GifFixedColours(int target_bits) {
  if (target_bits == 2) return 0;
  return target_bits == 3 ? 5 : 8;
}

}  // namespace

void PrepareDepthConverter(DepthConverter* converter, int source_bits, int target_bits) {
  converter->source_bits = source_bits;
  converter->target_bits = target_bits;
  const uint32_t row_bytes =
      ZeroUnless32Bits(UnpaddedRowBytes(NonNegative(converter->width), target_bits));
  const bool padded = target_bits <= 24;
  SetTargetRows(converter, row_bytes, padded ? (uint64_t{row_bytes} + 3) & ~uint64_t{3} : row_bytes);
}

void PrepareOneBytePerPixel(DepthConverter* converter, int source_bits, int target_bits) {
  converter->source_bits = source_bits;
  converter->target_bits = target_bits;
  const uint32_t row_bytes = ZeroUnless32Bits(NonNegative(converter->width));
  SetTargetRows(converter, row_bytes, row_bytes);
}

Status ConvertDepth(const DepthConverter& converter, const RgbQuad* source_palette,
                    const uint8_t* source_pixels, RgbQuad* target_palette,
                    uint8_t* target_pixels) {
  SourceImage image;
  if (!IsPrepared(converter) ||
      !MakeSourceImage(converter, source_palette, source_pixels, &image)) {
    return Status::kEncodeFailed;
  }
  switch (converter.source_bits) {
    case 1:
    case 2:
    case 4: return ConvertFromPackedIndices(converter, image, target_palette, target_pixels);
    case 8: return ConvertFromPalette(converter, image, target_palette, target_pixels);
    case 24: return ConvertFromTrueColour(converter, image, target_palette, target_pixels);
    case 48:
      if (converter.target_bits != 24) return Status::kEncodeFailed;
      NarrowSamples(image, converter.target_stride, target_pixels);
      return Status::kOk;
    default: return Status::kEncodeFailed;
  }
}

Status ConvertDepthForGif(const DepthConverter& converter, const RgbQuad* source_palette,
                          const uint8_t* source_pixels, RgbQuad* target_palette,
                          uint8_t* target_pixels) {
  SourceImage image;
  const int bits = converter.target_bits;
  if ((converter.source_bits != 8 && converter.source_bits != 24) || bits < 1 || bits > 8 ||
      !IsPreparedOneBytePerPixel(converter) ||
      !MakeSourceImage(converter, source_palette, source_pixels, &image)) {
    return Status::kEncodeFailed;
  }
  return Reduce(image, bits, GifFixedColours(bits), converter.dither,
                {8, converter.target_stride}, target_palette, target_pixels);
}

Status ConvertToGrey(const DepthConverter& converter, const RgbQuad* source_palette,
                     const uint8_t* source_pixels, uint8_t* target_pixels) {
  SourceImage image;
  if ((converter.source_bits != 8 && converter.source_bits != 24) ||
      converter.target_bits != 8 || !IsPreparedOneBytePerPixel(converter) ||
      !MakeSourceImage(converter, source_palette, source_pixels, &image)) {
    return Status::kEncodeFailed;
  }
  WriteGreyRows(image, target_pixels, converter.target_stride);
  return Status::kOk;
}
