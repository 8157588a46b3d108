// webp.spi: the shared image plug-in exports over the WebP core.
#include "plugins/spi/spi_image_core.h"
#include "plugins/webp/webp_core.h"

const SpiImageCore& PluginCore() { return WebpCore(); }
