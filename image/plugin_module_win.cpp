#include "image/plugin_module_win.h"

#include <cstring>

#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "image/ascii_case.h"

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

PluginType TypeOfVersion(const std::string& version) {
  if (version.compare(0, 4, "00IN") == 0) return PluginType::kImage;
  if (version.compare(0, 4, "00AM") == 0) return PluginType::kArchive;
  return PluginType::kNone;
}

bool IsDisabled(const PluginPlaces& places, const std::wstring& name) {
  for (const std::u16string& off : places.disabled) {
    if (EqualIgnoringAsciiCase(off, ToU16(name))) return true;
  }
  return false;
}

void AddModules(const PluginPlaces& places, const wchar_t* pattern, std::vector<std::wstring>* paths) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(JoinPath(places.folder, pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsDisabled(places, found.cFileName)) paths->push_back(JoinPath(places.folder, found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

PluginModule::PluginModule(const std::wstring& path) {
  // A broken module must not stop the viewer with a system error box.
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(old_mode);
  get_plugin_info_ = Lookup<GetPluginInfoFn>(module_, "GetPluginInfo");
  is_supported_ = Lookup<IsSupportedFn>(module_, "IsSupported");
  get_picture_info = Lookup<GetPictureInfoFn>(module_, "GetPictureInfo");
  get_picture = Lookup<GetPictureFn>(module_, "GetPicture");
  get_archive_info = Lookup<GetArchiveInfoFn>(module_, "GetArchiveInfo");
  get_file = Lookup<GetFileFn>(module_, "GetFile");
  configuration_dlg = Lookup<ConfigurationDlgFn>(module_, "ConfigurationDlg");
  if (get_plugin_info_) type_ = TypeOfVersion(Info(0));
}

PluginModule::~PluginModule() {
  if (module_) FreeLibrary(module_);
}

std::string PluginModule::Info(int index) const {
  if (!get_plugin_info_) return {};
  char buffer[1024] = {};
  const int length = get_plugin_info_(index, buffer, sizeof(buffer) - 1);
  if (length <= 0) return {};
  // Whatever length the module claims, the text ends within the buffer.
  return std::string(buffer, strnlen(buffer, sizeof(buffer) - 1));
}

bool PluginModule::Accepts(const std::string& ansi_name, const uint8_t* head) const {
  return is_supported_ && is_supported_(ansi_name.c_str(), const_cast<uint8_t*>(head)) != 0;
}

std::vector<std::wstring> PluginModulePaths(const PluginPlaces& places) {
  std::vector<std::wstring> paths;
  if (places.folder.empty()) return paths;
  const DWORD attributes = GetFileAttributesW(places.folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return paths;
  AddModules(places, L"*.spi", &paths);
  AddModules(places, L"*.sph", &paths);
  return paths;
}

std::string AnsiPath(const std::wstring& path) {
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
  std::wstring usable = path;
  if (lossy) {
    wchar_t short_path[MAX_PATH];
    const DWORD length = GetShortPathNameW(path.c_str(), short_path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) usable.assign(short_path, length);
  }
  const int needed = WideCharToMultiByte(CP_ACP, 0, usable.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 1) return {};
  std::string ansi(size_t(needed - 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, usable.c_str(), -1, ansi.data(), needed, nullptr, nullptr);
  return ansi;
}
