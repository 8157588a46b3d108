#include "adjust/channel_map.h"

namespace {

// Rows between two looks at the stop request: often enough that a stop is
// answered within a fraction of a frame, seldom enough to cost nothing.
constexpr int32_t kRowsBetweenStopChecks = 8;

void MapRow(const uint8_t* from, uint8_t* to, int32_t width, const ChannelTables& tables) {
  const uint8_t* const blue = tables.blue;
  const uint8_t* const green = tables.green;
  const uint8_t* const red = tables.red;
  for (int32_t x = 0; x < width; ++x, from += 3, to += 3) {
    const uint8_t b = from[0], g = from[1], r = from[2];
    to[0] = blue[b];
    to[1] = green[g];
    to[2] = red[r];
  }
}

void MapPalette(const RgbQuad* from, RgbQuad* to, const ChannelTables& tables) {
  for (int i = 0; i < 256; ++i) {
    const RgbQuad colour = from[i];
    to[i].blue = tables.blue[colour.blue];
    to[i].green = tables.green[colour.green];
    to[i].red = tables.red[colour.red];
  }
}

}  // namespace

MapEnd MapChannels(const ImageBuffer& source, const ChannelTables& tables, const StopRequest& stop,
                   ImageBuffer* result) {
  if (stop.Made()) return MapEnd::kStopped;
  if (source.header.bit_count == 8) {
    MapPalette(source.palette, result->palette, tables);
    return MapEnd::kFinished;
  }
  const size_t stride = Stride(source);
  const int32_t width = source.header.width;
  for (int32_t y = 0; y < source.header.height; ++y) {
    if (y % kRowsBetweenStopChecks == 0 && stop.Made()) return MapEnd::kStopped;
    const size_t offset = static_cast<size_t>(y) * stride;
    MapRow(source.pixels + offset, result->pixels + offset, width, tables);
  }
  return MapEnd::kFinished;
}
