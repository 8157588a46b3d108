#include "image/unrar_library_win.h"

#include <shlobj.h>

#include "app/settings_location_win.h"
#include "image/path_parts.h"

namespace {

constexpr wchar_t kLibraryName[] = L"unrar64.dll";

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_SYSTEM, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

std::wstring LibraryIn(std::wstring folder) {
  if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder + kLibraryName;
}

}  // namespace

UnrarLibrary::UnrarLibrary(const std::wstring& plugin_folder) {
  if (!plugin_folder.empty() && TryLoad(plugin_folder)) return;
  if (TryLoad(ProgramFolder())) return;
  TryLoad(SystemFolder());
}

bool UnrarLibrary::TryLoad(const std::wstring& folder) {
  if (folder.empty()) return false;
  const std::wstring path = LibraryIn(folder);
  // A file of that name that is no library must not bring up a system box.
  DWORD old_mode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
  UniqueModule module(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  SetThreadErrorMode(old_mode, nullptr);
  if (!module) return false;
  UnrarFunctions functions;
  functions.open = Lookup<RarOpenArchiveExFn>(module.get(), "RAROpenArchiveEx");
  functions.read_header = Lookup<RarReadHeaderExFn>(module.get(), "RARReadHeaderEx");
  functions.process = Lookup<RarProcessFileWFn>(module.get(), "RARProcessFileW");
  functions.close = Lookup<RarCloseArchiveFn>(module.get(), "RARCloseArchive");
  if (!functions.open || !functions.read_header || !functions.process || !functions.close) return false;
  module_ = std::move(module);
  functions_ = functions;
  path_ = path;
  return true;
}

RarArchive::RarArchive(const UnrarFunctions& functions, const std::wstring& path, unsigned open_mode,
                       UNRARCALLBACK callback, LPARAM user_data)
    : functions_(functions) {
  std::wstring name = path;  // the library takes a writable string
  RAROpenArchiveDataEx data{};
  data.ArcNameW = name.data();
  data.OpenMode = open_mode;
  data.Callback = callback;
  data.UserData = user_data;
  HANDLE handle = functions_.open(&data);
  if (handle && data.OpenResult == ERAR_SUCCESS) {
    handle_ = handle;
    flags_ = data.Flags;
  } else if (handle) {
    functions_.close(handle);
  }
}

RarArchive::~RarArchive() {
  if (handle_) functions_.close(handle_);
}
