#include "codecs/converted_pixels.h"

#include "effects/depth_converter.h"

namespace {

DepthConverter ConverterFor(const ImageBuffer& image, bool dither) {
  DepthConverter converter;
  converter.width = image.header.width;
  converter.height = image.header.height;
  converter.dither = dither;
  return converter;
}

// The converter's target block, zeroed as it expects.
Status TakeBlock(const DepthConverter& converter, ConvertedPixels* out) {
  if (converter.target_size == 0) return Status::kEncodeFailed;
  out->block = PageBlock(size_t{converter.target_size} + 4);
  if (!out->block) return Status::kNoMemory;
  out->rows = out->block.data();
  out->stride = converter.target_stride;
  out->row_bytes = converter.target_row_bytes;
  return Status::kOk;
}

Status ConversionStatus(Status status) {
  return status == Status::kOk || status == Status::kNoMemory ? status : Status::kEncodeFailed;
}

}  // namespace

Status ConvertPixels(const ImageBuffer& image, int target_bits, bool dither, ConvertedPixels* out) {
  DepthConverter converter = ConverterFor(image, dither);
  PrepareDepthConverter(&converter, image.header.bit_count, target_bits);
  if (target_bits == 24 && image.header.bit_count == 24 && converter.target_size != 0) {
    out->rows = image.pixels;
    out->stride = Stride(image);
    out->row_bytes = converter.target_row_bytes;
    return Status::kOk;
  }
  if (Status s = TakeBlock(converter, out); s != Status::kOk) return s;
  return ConversionStatus(
      ConvertDepth(converter, image.palette, image.pixels, out->palette, out->block.data()));
}

Status ConvertPixelsToGrey(const ImageBuffer& image, ConvertedPixels* out) {
  DepthConverter converter = ConverterFor(image, false);
  PrepareOneBytePerPixel(&converter, image.header.bit_count, 8);
  if (Status s = TakeBlock(converter, out); s != Status::kOk) return s;
  return ConversionStatus(
      ConvertToGrey(converter, image.palette, image.pixels, out->block.data()));
}
