// What the viewer asks of the image and archive plug-ins: which names they
// read, a picture from a file or from a member in memory, and the members
// of an archive. Each operation loads the modules it needs and unloads them
// again; every failure simply returns nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/file_list.h"
#include "image/image_buffer.h"
#include "image/page_memory.h"
#include "image/plugin_module_win.h"

// The name patterns the plug-ins announce ("*.webp"), without the built-in
// image extensions and without repeats; archive plug-ins' too when asked.
std::vector<std::u16string> PluginPatterns(const PluginPlaces& places, bool with_archives);

// File names of the image and archive plug-ins in the folder, switched off
// or not (for the options dialog).
std::vector<std::wstring> PluginModuleNames(const std::wstring& folder);
// The module's patterns joined by ";" and its descriptions joined by "/".
void DescribePlugin(const std::wstring& folder, const std::wstring& module_name,
                    std::wstring* patterns, std::wstring* descriptions);
// Shows the module's own settings dialog.
bool ConfigurePlugin(const std::wstring& folder, const std::wstring& module_name, HWND owner);

// The first image plug-in that takes the file decodes it into `target`.
bool OpenPluginImage(const PluginPlaces& places, const std::wstring& path, ImageBuffer* target);
bool OpenPluginImageFromMemory(const PluginPlaces& places, const std::wstring& member_name,
                               const uint8_t* block, uint32_t size, ImageBuffer* target);

struct PluginArchiveListing {
  std::vector<FileListEntry> members;  // key = the member's position
  FileTimeValue last_write{};
};
bool ListPluginArchive(const PluginPlaces& places, const std::wstring& path,
                       PluginArchiveListing* listing);
bool ExtractPluginMember(const PluginPlaces& places, const std::wstring& path, uint32_t position,
                         PageBlock* block, uint32_t* size);
