// The WebP plug-in's decoding core: still pictures, lossy or lossless, with
// any transparency laid over white, as 24-bit bitmaps.
#pragma once

#include "plugins/spi/spi_image_core.h"

const SpiImageCore& WebpCore();
