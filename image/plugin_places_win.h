// The plug-ins the settings point at: the folder of entry 29 (the "plugins"
// folder beside the program when the entry holds no value of its own) and
// the modules of entry 208 switched off; and their name patterns, read from
// the modules once and kept while those settings stay the same.
#pragma once

#include <string>
#include <vector>

#include "image/plugin_module_win.h"

PluginPlaces CurrentPluginPlaces();

// Image plug-ins only (the folder list), or image and archive plug-ins
// (the open dialog).
const std::vector<std::u16string>& CurrentPluginPatterns(bool with_archives);
