#include "app/settings_environment_win.h"

#include <windows.h>
#include <shlobj.h>

#include "app/settings_location_win.h"
#include "app/wide_text.h"

namespace {

bool IsFolder(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFileIn(const std::u16string& folder, const std::u16string& name) {
  DWORD attributes = GetFileAttributesW(JoinPath(ToWide(folder), ToWide(name)).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

SettingsEnvironment MakeSettingsEnvironment() {
  SettingsEnvironment environment;
  wchar_t documents[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
    environment.documents_folder = ToU16(documents);
  environment.folder_exists = IsFolder;
  environment.plugin_module_exists = IsFileIn;
  environment.default_plugin_folder = ToU16(JoinPath(ProgramFolder(), L"plugins"));
  return environment;
}
