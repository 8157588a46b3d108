#include "codecs/png_write_palette.h"

namespace {

bool SameColour(const RgbQuad& a, const RgbQuad& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

int Square(int d) { return d * d; }

}  // namespace

PngPalette MergePalette(const RgbQuad converted[256], const bool used[256], int bits) {
  PngPalette p;
  const int entries = 1 << bits;
  for (int i = 0; i < entries; ++i) {
    if (bits == 1) {
      p.entries[p.count] = converted[i];
      p.index_of[i] = static_cast<uint8_t>(p.count++);
      continue;
    }
    if (!used[i]) continue;
    int kept = 0;
    while (kept < p.count && !SameColour(p.entries[kept], converted[i])) ++kept;
    if (kept == p.count) p.entries[p.count++] = converted[i];
    p.index_of[i] = static_cast<uint8_t>(kept);
  }
  return p;
}

int TransparentIndex(const PngPalette& palette, uint8_t red, uint8_t green, uint8_t blue) {
  int best = 0, best_distance = -1;
  for (int i = 0; i < palette.count; ++i) {
    const RgbQuad& c = palette.entries[i];
    const int distance = Square(c.red - red) + Square(c.green - green) + Square(c.blue - blue);
    if (best_distance < 0 || distance < best_distance) best = i, best_distance = distance;
  }
  return best;
}
