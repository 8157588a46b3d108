#include "app/open_path_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/shell_shortcut_win.h"
#include "image/document_win.h"

namespace {

bool IsShortcutName(const std::wstring& path) {
  return lstrcmpiW(PathFindExtensionW(path.c_str()), L".lnk") == 0;
}

}  // namespace

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
