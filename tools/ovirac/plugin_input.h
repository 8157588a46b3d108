// The image plug-ins behind ovirac's own decoders: on Windows the modules
// of the folder given with --plugins, elsewhere our own plug-ins' decoding
// cores linked in, so that compressed TIFF and WebP convert everywhere.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"
#include "image/path.h"

// --plugins DIR (Windows only).
void UsePluginFolder(const PathChar* folder);
bool PluginFolderOption();

// A file, or member bytes named `name`, that no built-in decoder read.
bool ReadFileWithPlugins(const PathChar* path, ImageBuffer* image);
bool ReadBytesWithPlugins(const PathChar* name, const uint8_t* bytes, uint32_t size, ImageBuffer* image);
