// Painting an image view: the image's shown part stretched into its
// destination, and only the strips it leaves uncovered filled, so nothing is
// painted twice and nothing flickers.
#pragma once

#include <windows.h>

#include "image/image_buffer.h"
#include "view/view_geometry.h"

struct ViewPaintInput {
  const ImageBuffer* image;  // nullptr or without pixels: the empty canvas
  const ViewGeometry* geometry;
  HBRUSH background;
  const wchar_t* note;       // centred on the empty canvas, or nullptr
  // Rows in the image's layout to paint instead of its pixels (an
  // animation's shown frame), or nullptr.
  const uint8_t* frame_pixels = nullptr;
};

// Paints into any device context (a window's or a bitmap's for tests).
void PaintViewContent(HDC dc, const RECT& client, const ViewPaintInput& input);
