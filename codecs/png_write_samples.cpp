#include "codecs/png_write_samples.h"

#include "effects/depth_converter.h"
#include "effects/index_rows.h"

namespace {

void Describe(const ImageBuffer& image, uint8_t colour_type, int depth, PngSamples* samples) {
  samples->colour_type = colour_type;
  samples->depth = static_cast<uint8_t>(depth);
  samples->width = static_cast<uint32_t>(image.header.width);
  samples->height = static_cast<uint32_t>(image.header.height);
}

DepthConverter ConverterFor(const ImageBuffer& image, bool dither) {
  DepthConverter converter;
  converter.width = image.header.width;
  converter.height = image.header.height;
  converter.dither = dither;
  return converter;
}

Status ConversionStatus(Status status) {
  return status == Status::kOk || status == Status::kNoMemory ? status : Status::kEncodeFailed;
}

// The converter's target block, zeroed as it expects.
Status TakeTargetBlock(const DepthConverter& converter, PngSamples* samples) {
  if (converter.target_size == 0) return Status::kEncodeFailed;
  samples->converted = PageBlock(size_t{converter.target_size} + 4);
  samples->rows = samples->converted.data();
  samples->stride = converter.target_stride;
  return samples->converted ? Status::kOk : Status::kNoMemory;
}

void MarkUsedIndices(const PngSamples& s, bool used[256]) {
  for (uint32_t y = 0; y < s.height; ++y) {
    const uint8_t* row = s.rows + y * s.stride;
    if (s.depth == 8) {
      for (uint32_t x = 0; x < s.width; ++x) used[row[x]] = true;
    } else {
      for (uint32_t x = 0; x < s.width; ++x)
        used[IndexAt(row, static_cast<int32_t>(x), s.depth)] = true;
    }
  }
}

}  // namespace

Status PrepareColourSamples(const ImageBuffer& image, PngSamples* samples) {
  Describe(image, kPngColour, 8, samples);
  if (image.header.bit_count == 24) {
    samples->rows = image.pixels;
    samples->stride = Stride(image);
    return Status::kOk;
  }
  DepthConverter converter = ConverterFor(image, false);
  PrepareDepthConverter(&converter, image.header.bit_count, 24);
  if (Status s = TakeTargetBlock(converter, samples); s != Status::kOk) return s;
  RgbQuad unused[256] = {};
  return ConversionStatus(
      ConvertDepth(converter, image.palette, image.pixels, unused, samples->converted.data()));
}

Status PrepareGreySamples(const ImageBuffer& image, PngSamples* samples) {
  Describe(image, kPngGrey, 8, samples);
  DepthConverter converter = ConverterFor(image, false);
  PrepareOneBytePerPixel(&converter, image.header.bit_count, 8);
  if (Status s = TakeTargetBlock(converter, samples); s != Status::kOk) return s;
  return ConversionStatus(
      ConvertToGrey(converter, image.palette, image.pixels, samples->converted.data()));
}

Status PreparePaletteSamples(const ImageBuffer& image, int bits, bool dither, PngSamples* samples) {
  Describe(image, kPngPalette, bits, samples);
  DepthConverter converter = ConverterFor(image, dither);
  PrepareDepthConverter(&converter, image.header.bit_count, bits);
  if (Status s = TakeTargetBlock(converter, samples); s != Status::kOk) return s;
  RgbQuad palette[256] = {};
  const Status status = ConversionStatus(
      ConvertDepth(converter, image.palette, image.pixels, palette, samples->converted.data()));
  if (status != Status::kOk) return status;
  bool used[256] = {};
  MarkUsedIndices(*samples, used);
  samples->palette = MergePalette(palette, used, bits);
  return Status::kOk;
}

void GatherScanline(const PngSamples& s, uint32_t row, uint32_t column_start, uint32_t column_step,
                    uint32_t columns, uint8_t* out) {
  const uint8_t* source = s.rows + size_t{s.height - 1 - row} * s.stride;
  uint32_t x = column_start;
  if (s.colour_type == kPngColour) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step, out += 3) {
      const uint8_t* bgr = source + size_t{x} * 3;
      out[0] = bgr[2], out[1] = bgr[1], out[2] = bgr[0];
    }
  } else if (s.colour_type == kPngGrey) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step) out[k] = source[x];
  } else if (s.depth == 8) {
    for (uint32_t k = 0; k < columns; ++k, x += column_step) out[k] = s.palette.index_of[source[x]];
  } else {
    unsigned byte = 0, filled = 0;
    for (uint32_t k = 0; k < columns; ++k, x += column_step) {
      byte =
          (byte << s.depth) | s.palette.index_of[IndexAt(source, static_cast<int32_t>(x), s.depth)];
      filled += s.depth;
      if (filled == 8) *out++ = static_cast<uint8_t>(byte), byte = 0, filled = 0;
    }
    if (filled) *out = static_cast<uint8_t>(byte << (8 - filled));
  }
}
