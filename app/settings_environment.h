// What loading and saving the settings need to know about the machine they
// run on, supplied by the caller so the settings code itself stays portable.
#pragma once

#include <functional>
#include <string>

struct SettingsEnvironment {
  // The default of the last dialog folder: the user's documents folder.
  std::u16string documents_folder;
  // True when the path names an existing folder. When not set, every stored
  // folder is taken as it is.
  std::function<bool(const std::u16string& path)> folder_exists;
  // True when the plug-in module `name` exists in `plugin_folder`. When not
  // set, every listed module is kept.
  std::function<bool(const std::u16string& plugin_folder, const std::u16string& name)>
      plugin_module_exists;
  // The plug-in folder in use while the settings store none of their own.
  std::u16string default_plugin_folder;
};
