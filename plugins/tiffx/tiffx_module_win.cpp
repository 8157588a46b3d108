// tiffx.spi: the shared image plug-in exports over the compressed-TIFF core.
#include "plugins/spi/spi_image_core.h"
#include "plugins/tiffx/tiffx_core.h"

const SpiImageCore& PluginCore() { return TiffxCore(); }
