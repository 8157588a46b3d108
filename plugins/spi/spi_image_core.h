// What one image plug-in supplies to the exports every image plug-in
// shares (spi_image_exports_win.cpp): its texts, the test on a file's first
// bytes, and the decoder. The core is portable, so that it is tested,
// fuzzed and used by ovirac natively as well.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugins/plugin_dib.h"

struct SpiImageCore {
  // GetPluginInfo's answers by index: 0 the version ("00IN"), 1 the
  // plug-in's name, then pattern and description pairs from index 2 on
  // ("*.webp", "WebP images").
  const char* const* info;
  size_t info_count;
  // Whether the first bytes of a file (at most 2048 of them, the rest of
  // the buffer zeroed) belong to a file this plug-in reads.
  bool (*accepts)(const uint8_t* head, size_t size);
  // The whole file's bytes into a bitmap; false for anything it cannot read.
  bool (*decode)(const uint8_t* data, size_t size, PluginDib* out);
};

// Defined once by each plug-in module (a file of its own beside the core,
// so that ovirac can link several cores into one program).
const SpiImageCore& PluginCore();
