#include "plugins/spi/spi_image_core.h"
#include "tests/plugins/test_picture_core.h"

const SpiImageCore& PluginCore() { return TestPictureCore(); }
