#include <windows.h>

#include "image/file_move.h"

bool MoveFileOver(const wchar_t* from, const wchar_t* to) {
  return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool RemoveFile(const wchar_t* path) { return DeleteFileW(path) != 0; }
