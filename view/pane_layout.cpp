#include "view/pane_layout.h"

#include <algorithm>

PanePlaces PlacePanes(ViewSize area, int active_pane) {
  PanePlaces places;
  const int32_t width = std::max(area.width, int32_t{0});
  const int32_t height = std::max(area.height, int32_t{0});
  if (active_pane == 0) {
    const int32_t half = std::max(width / 2 - 1, int32_t{0});
    places.source = {0, 0, half, height, true};
    places.preview = {width - half, 0, half, height, true};
  } else if (active_pane == 2) {
    places.preview = {0, 0, width, height, true};
  } else {
    places.source = {0, 0, width, height, true};
  }
  return places;
}

ViewSize PaneClient(ViewSize pane, int32_t border_width, int32_t border_height) {
  return {std::max(pane.width - 2 * border_width, int32_t{1}),
          std::max(pane.height - 2 * border_height, int32_t{1})};
}

PaneScrollBars NeededScrollBars(ViewSize client, ViewSize scaled, int32_t bar_width,
                                int32_t bar_height) {
  PaneScrollBars bars;
  bars.horizontal = scaled.width > client.width;
  bars.vertical = scaled.height > client.height;
  if (bars.horizontal && !bars.vertical) bars.vertical = scaled.height > client.height - bar_height;
  if (bars.vertical && !bars.horizontal) bars.horizontal = scaled.width > client.width - bar_width;
  bars.client = {std::max(client.width - (bars.vertical ? bar_width : 0), int32_t{1}),
                 std::max(client.height - (bars.horizontal ? bar_height : 0), int32_t{1})};
  return bars;
}

int32_t ScrollTarget(ScrollRequest request, int32_t position, int32_t page, int32_t image_extent,
                     int32_t track) {
  constexpr int64_t kLine = 20;
  int64_t target = position;
  switch (request) {
    case ScrollRequest::kLineUp: target -= kLine; break;
    case ScrollRequest::kLineDown: target += kLine; break;
    case ScrollRequest::kPageUp: target -= page; break;
    case ScrollRequest::kPageDown: target += page; break;
    case ScrollRequest::kThumbTrack: target = track; break;
    case ScrollRequest::kTop: target = 0; break;
    case ScrollRequest::kBottom: target = image_extent; break;
    case ScrollRequest::kThumbPosition:
    case ScrollRequest::kEndScroll: return position;
  }
  const int64_t last = std::max<int64_t>(int64_t{image_extent} - page, 0);
  return static_cast<int32_t>(std::clamp<int64_t>(target, 0, last));
}

int EditPanStepShift(ViewSize image, ViewSize screen) {
  return image.width > screen.width && image.height > screen.height ? 1 : 0;
}

std::u16string ColourReadout(bool on_image, uint8_t red, uint8_t green, uint8_t blue) {
  if (!on_image) return u"r:-  g:-  b:-";
  auto number = [](uint8_t v) {
    std::string digits = std::to_string(v);
    return std::u16string(digits.begin(), digits.end());
  };
  return u"r:" + number(red) + u"  g:" + number(green) + u"  b:" + number(blue);
}

bool ColourUnder(ViewPoint client, const ViewGeometry& geometry, const ImageBuffer& image,
                 uint32_t* colour) {
  ViewPoint at;
  if (!image.pixels || !ImagePixelUnder(client, geometry, &at) || at.x >= image.header.width ||
      at.y >= image.header.height) {
    return false;
  }
  const uint8_t* row = RowFromTop(image, at.y);
  uint8_t red, green, blue;
  if (image.header.bit_count == 8) {
    const RgbQuad& entry = image.palette[row[at.x]];
    red = entry.red, green = entry.green, blue = entry.blue;
  } else {
    const uint8_t* bgr = row + size_t{3} * static_cast<size_t>(at.x);
    red = bgr[2], green = bgr[1], blue = bgr[0];
  }
  *colour = uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
  return true;
}

std::u16string ColourReadout(bool on_image, uint32_t colour) {
  return ColourReadout(on_image, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

bool ImagePixelUnder(ViewPoint client, const ViewGeometry& g, ViewPoint* pixel) {
  if (g.destination_width <= 0 || g.destination_height <= 0) return false;
  const int64_t dx = int64_t{client.x} - g.destination_x;
  const int64_t dy = int64_t{client.y} - g.destination_y;
  if (dx < 0 || dy < 0 || dx >= g.destination_width || dy >= g.destination_height) return false;
  pixel->x = static_cast<int32_t>(g.source_x + dx * g.source_width / g.destination_width);
  pixel->y = static_cast<int32_t>(g.source_y + dy * g.source_height / g.destination_height);
  return true;
}
