// The image record as GDI sees it.
#pragma once

#include <windows.h>

#include "image/image_buffer.h"

inline const BITMAPINFO* AsBitmapInfo(const ImageBuffer& image) {
  return reinterpret_cast<const BITMAPINFO*>(&image.header);
}
