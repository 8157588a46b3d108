#include "effects/grey_threshold.h"

#include "effects/error_diffusion.h"

Status ThresholdToBlackAndWhite(const SourceImage& image, bool dither, const IndexLayout& layout,
                                RgbQuad* palette, uint8_t* target) {
  const size_t width = static_cast<size_t>(image.width);
  PageBlock grey(image.PixelCount());
  PageBlock row_indices(width);
  if (!grey || !row_indices) return Status::kNoMemory;
  WriteGreyRows(image, grey.data(), width);
  palette[0] = {0, 0, 0, 0};
  palette[1] = {255, 255, 255, 0};

  const DiffusionPlane<1> plane(grey.data(), 1, width, image.width, image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const int value = *plane.Pixel(x, y);
      const bool white = value >= 128;
      row_indices.data()[x] = white ? 1 : 0;
      if (dither) {
        const int error[1] = {white ? value - 255 : value};
        plane.Spread(x, y, error);
      }
    }
    PackIndices(row_indices.data(), image.width, layout.bits,
                target + static_cast<size_t>(y) * layout.stride);
  }
  return Status::kOk;
}
