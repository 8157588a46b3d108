#include "tools/ovirac/plugin_input.h"

#include <string>

#include "image/plugin_host_win.h"

namespace {

PluginPlaces g_places;

}  // namespace

void UsePluginFolder(const PathChar* folder) { g_places.folder = folder; }
bool PluginFolderOption() { return true; }

bool ReadFileWithPlugins(const PathChar* path, ImageBuffer* image) {
  return OpenPluginImage(g_places, path, image);
}

bool ReadBytesWithPlugins(const PathChar* name, const uint8_t* bytes, uint32_t size, ImageBuffer* image) {
  return OpenPluginImageFromMemory(g_places, name, bytes, size, image);
}
