#include "app/shell_shortcut_win.h"

#include <windows.h>
#include <shlobj.h>

namespace {

template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
};

bool MakeLink(ComPtr<IShellLinkW>* link, ComPtr<IPersistFile>* file) {
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IShellLinkW, reinterpret_cast<void**>(&link->p))) &&
         SUCCEEDED(link->p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file->p)));
}

}  // namespace

std::wstring ResolveShortcut(const std::wstring& path) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (!MakeLink(&link, &file) || FAILED(file.p->Load(path.c_str(), STGM_READ))) return {};
  wchar_t target[MAX_PATH] = {};
  if (FAILED(link.p->GetPath(target, MAX_PATH, nullptr, 0))) return {};
  return target;
}

bool CreateShortcut(const std::wstring& path, const std::wstring& target) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (!MakeLink(&link, &file) || FAILED(link.p->SetPath(target.c_str()))) return false;
  return SUCCEEDED(file.p->Save(path.c_str(), TRUE));
}
