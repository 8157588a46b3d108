#include "tools/ovirac/plugin_input.h"

#include "codecs/plugin_bitmap.h"
#include "image/file_access.h"
#include "plugins/tiffx/tiffx_core.h"
#include "plugins/webp/webp_core.h"

namespace {

// What a module sees of a file's start, as the viewer hands it over.
constexpr size_t kHeadBytes = 2048;

}  // namespace

void UsePluginFolder(const PathChar*) {}
bool PluginFolderOption() { return false; }

bool ReadBytesWithPlugins(const PathChar*, const uint8_t* bytes, uint32_t size, ImageBuffer* image) {
  uint8_t head[kHeadBytes] = {};
  for (size_t i = 0; i < size && i < kHeadBytes; ++i) head[i] = bytes[i];
  for (const SpiImageCore* core : {&TiffxCore(), &WebpCore()}) {
    PluginDib dib;
    if (!core->accepts(head, kHeadBytes) || !core->decode(bytes, size, &dib)) continue;
    if (TakePluginBitmap(dib.info.data(), dib.info.size(), dib.bits.data(), dib.bits.size(), 0,
                         image) == Status::kOk) {
      image->source_size = size;
      return true;
    }
  }
  return false;
}

bool ReadFileWithPlugins(const PathChar* path, ImageBuffer* image) {
  MappedFile file;
  if (!file.Open(path, MapMode::kReadOnly)) return false;
  if (!ReadBytesWithPlugins(path, file.data(), file.size(), image)) return false;
  image->last_write_time = file.last_write_time();
  return true;
}
