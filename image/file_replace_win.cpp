#include "image/file_replace_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "image/file_move.h"
#include "image/recycle_bin_win.h"

bool ReplaceFileWith(const std::wstring& finished, const std::wstring& destination) {
  std::wstring staged = destination + L".ovira-new";
  if (!CopyFileW(finished.c_str(), staged.c_str(), FALSE)) return false;
  if (GetFileAttributesW(destination.c_str()) != INVALID_FILE_ATTRIBUTES) {
    MoveToRecycleBin(nullptr, destination, FOF_NOERRORUI | FOF_SILENT);
  }
  if (MoveFileOver(staged.c_str(), destination.c_str())) return true;
  DeleteFileW(staged.c_str());
  return false;
}

void AnnounceNewFile(const std::wstring& path) {
  SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
}
