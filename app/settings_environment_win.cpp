#include "app/settings_environment_win.h"

#include <windows.h>
#include <shlobj.h>

#include "app/settings_location_win.h"
#include "app/wide_text.h"

namespace {

bool IsFolderU16(const std::u16string& path) { return IsFolder(ToWide(path)); }

bool IsFileIn(const std::u16string& folder, const std::u16string& name) {
  return IsFile(JoinPath(ToWide(folder), ToWide(name)));
}

}  // namespace

SettingsEnvironment MakeSettingsEnvironment() {
  SettingsEnvironment environment;
  wchar_t documents[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
    environment.documents_folder = ToU16(documents);
  environment.folder_exists = IsFolderU16;
  environment.plugin_module_exists = IsFileIn;
  environment.default_plugin_folder = ToU16(JoinPath(ProgramFolder(), L"plugins"));
  return environment;
}
