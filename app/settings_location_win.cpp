#include "app/settings_location_win.h"

#include <windows.h>
#include <shlobj.h>

#include "image/path_parts.h"

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ProgramFolder() { return FolderOfPath(ModulePath()); }

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\') return folder + name;
  return folder + L'\\' + name;
}

std::wstring EstablishSettingsPath(std::wstring* exe_path) {
  *exe_path = ModulePath();
  std::wstring exe_folder = FolderOfPath(*exe_path);
  if (exe_folder.empty()) return {};
  // A bare drive ("C:") needs its backslash to mean the root.
  SetCurrentDirectoryW(JoinPath(exe_folder, L"").c_str());

  std::wstring portable = JoinPath(exe_folder, kSettingsFileName);
  if (IsFile(portable)) return portable;

  wchar_t app_data[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data)))
    return {};
  std::wstring folder = JoinPath(app_data, L"Ovira");
  if (!IsFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr)) return {};
  return JoinPath(folder, kSettingsFileName);
}
