#include "effects/reference_colours.h"

#include <cstring>

const RgbQuad kReferenceColours[kReferenceColourCount] = {
    {0, 0, 0, 0},       {255, 255, 255, 0}, {255, 0, 0, 0},   {0, 255, 0, 0},
    {0, 0, 255, 0},     {255, 255, 0, 0},   {255, 0, 255, 0}, {0, 255, 255, 0},
};

void NearestPixelsToReferences(const uint8_t* working, size_t pixel_count, int count,
                               RgbQuad* out) {
  int best[kReferenceColourCount];
  size_t where[kReferenceColourCount] = {};
  for (int k = 0; k < count; ++k) best[k] = INT32_MAX;
  uint32_t previous = UINT32_MAX;  // runs of one colour cannot improve on their first pixel
  for (size_t i = 0; i < pixel_count; ++i) {
    const uint8_t* p = working + 4 * i;
    uint32_t colour;
    std::memcpy(&colour, p, sizeof(colour));
    colour &= 0xFFFFFFu;
    if (colour == previous) continue;
    previous = colour;
    for (int k = 0; k < count; ++k) {
      const RgbQuad& r = kReferenceColours[k];
      const int db = p[0] - r.blue, dg = p[1] - r.green, dr = p[2] - r.red;
      const int d = db * db + dg * dg + dr * dr;
      if (d < best[k]) best[k] = d, where[k] = i;
    }
  }
  for (int k = 0; k < count; ++k) {
    const uint8_t* p = working + 4 * where[k];
    out[k] = {p[0], p[1], p[2], 0};
  }
}
