#include "effects/palette_reduction.h"

#include "effects/error_diffusion.h"
#include "effects/exact_palette.h"
#include "effects/median_cut.h"
#include "effects/nearest_colour.h"
#include "effects/reference_colours.h"

namespace {

// Maps each pixel of the working copy in memory order; with dither each
// pixel's error moves on to its unvisited neighbours before they are mapped.
Status MapToNearest(const SourceImage& image, const ReductionPlan& plan, const RgbQuad* palette,
                    uint8_t* working, uint8_t* row_indices, uint8_t* target) {
  NearestColour nearest;
  if (!nearest.Init(palette, plan.colours)) return Status::kNoMemory;
  const DiffusionPlane<3> plane(working, 4, 4 * static_cast<size_t>(image.width), image.width,
                                image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = plane.Pixel(x, y);
      const uint8_t index = nearest.Find(p[0], p[1], p[2]);
      row_indices[x] = index;
      if (plan.dither) {
        const RgbQuad& c = palette[index];
        const int error[3] = {p[0] - c.blue, p[1] - c.green, p[2] - c.red};
        plane.Spread(x, y, error);
      }
    }
    PackIndices(row_indices, image.width, plan.layout.bits,
                target + static_cast<size_t>(y) * plan.layout.stride);
  }
  return Status::kOk;
}

}  // namespace

Status ReducePalette(const SourceImage& image, const ReductionPlan& plan, RgbQuad* palette,
                     uint8_t* target) {
  PageBlock row_indices(static_cast<size_t>(image.width));
  if (!row_indices) return Status::kNoMemory;
  if (MapToExactPalette(image, plan.colours, plan.layout, palette, target, row_indices.data())) {
    return Status::kOk;
  }
  const size_t pixel_count = image.PixelCount();
  if (pixel_count >= kMedianCutMaxPixels) return Status::kEncodeFailed;
  PageBlock working = MakeWorkingCopy(image);
  if (!working) return Status::kNoMemory;

  // The reference colours are looked for before anything is diffused.
  const int median_colours = plan.colours - plan.fixed_colours;
  NearestPixelsToReferences(working.data(), pixel_count, plan.fixed_colours,
                            palette + median_colours);
  Status status = MedianCutPalette(working.data(), pixel_count, median_colours, palette);
  if (status != Status::kOk) return status;
  return MapToNearest(image, plan, palette, working.data(), row_indices.data(), target);
}
