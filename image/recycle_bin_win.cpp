#include "image/recycle_bin_win.h"

bool MoveToRecycleBin(HWND owner, const std::wstring& path, FILEOP_FLAGS flags) {
  std::wstring from = path + L'\0';  // the shell wants a double-zero list
  SHFILEOPSTRUCTW op = {};
  op.hwnd = owner;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | FOF_NOCONFIRMATION | flags);
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}
