// One plug-in module of the plug-in folder, loaded for as long as the
// object lives, with the functions the viewer calls looked up by name.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "plugins/spi/spi_functions_win.h"

enum class PluginType { kNone = 0, kImage = 1, kArchive = 2 };

// Where the viewer looks for plug-ins: the folder (empty: none at all) and
// the module names the user switched off (ASCII case ignored).
struct PluginPlaces {
  std::wstring folder;
  std::vector<std::u16string> disabled;
};

class PluginModule {
 public:
  explicit PluginModule(const std::wstring& path);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // From the version string: "00IN" image, "00AM" archive, else none.
  PluginType type() const { return type_; }
  // Entry `index` of GetPluginInfo; empty when there is none.
  std::string Info(int index) const;
  // IsSupported on the first bytes of a file (at least 2048 of them).
  bool Accepts(const std::string& ansi_name, const uint8_t* head) const;

  GetPictureInfoFn get_picture_info = nullptr;
  GetPictureFn get_picture = nullptr;
  GetArchiveInfoFn get_archive_info = nullptr;
  GetFileFn get_file = nullptr;
  ConfigurationDlgFn configuration_dlg = nullptr;

 private:
  HMODULE module_ = nullptr;
  GetPluginInfoFn get_plugin_info_ = nullptr;
  IsSupportedFn is_supported_ = nullptr;
  PluginType type_ = PluginType::kNone;
};

// The modules of the folder that are not switched off, "*.spi" first and
// then "*.sph", each in the order the system lists them: full paths.
std::vector<std::wstring> PluginModulePaths(const PluginPlaces& places);

// A path in the ANSI code page the plug-in calls take; the short form of a
// path with characters that page lacks.
std::string AnsiPath(const std::wstring& path);
