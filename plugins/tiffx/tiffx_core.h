// The decoding core of the tiffx image plug-in: the TIFF files the
// built-in reader leaves alone (LZW, PackBits and Deflate, strips or tiles,
// horizontal differencing, alpha), first image only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugins/spi/spi_image_core.h"

// The whole file into a bitmap; false for anything it cannot read.
bool DecodeTiffx(const uint8_t* data, size_t size, PluginDib* out);

const SpiImageCore& TiffxCore();
