#include "app/open_path_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "image/document_win.h"

namespace {

bool IsShortcutName(const std::wstring& path) {
  return lstrcmpiW(PathFindExtensionW(path.c_str()), L".lnk") == 0;
}

template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
};

}  // namespace

std::wstring ResolveShortcut(const std::wstring& path) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))))
    return {};
  ComPtr<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
      FAILED(file.p->Load(path.c_str(), STGM_READ)))
    return {};
  wchar_t target[MAX_PATH] = {};
  if (FAILED(link.p->GetPath(target, MAX_PATH, nullptr, 0))) return {};
  return target;
}

bool OpenPathFromOutside(const std::wstring& path, int entry_key) {
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  if (!SettleUnsavedChanges()) return false;
  std::wstring target = path;
  if (IsShortcutName(path)) {
    target = ResolveShortcut(path);
    if (target.empty()) return false;
  }
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return OpenDocument(target, entry_key);
}
