#include <windows.h>

#include <utility>

#include "image/file_access.h"

namespace {

HANDLE OpenForSharedRead(const wchar_t* path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, which is
  // what we want: folders are never images.
  return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

}  // namespace

void MappedFile::MoveFrom(MappedFile& other) {
  view_ = std::exchange(other.view_, nullptr);
  size_ = std::exchange(other.size_, 0);
  last_write_ = other.last_write_;
  file_ = std::exchange(other.file_, nullptr);
  mapping_ = std::exchange(other.mapping_, nullptr);
}

bool MappedFile::Open(const wchar_t* path, MapMode mode) {
  Close();
  // A copy-on-write view needs only read access to the file: asking for
  // write access would refuse read-only files and files open elsewhere.
  HANDLE file = OpenForSharedRead(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  file_ = file;
  LARGE_INTEGER size;
  FILETIME written;
  if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > UINT32_MAX ||
      !GetFileTime(file, nullptr, nullptr, &written)) {
    Close();
    return false;
  }
  DWORD protect = mode == MapMode::kCopyOnWrite ? PAGE_WRITECOPY : PAGE_READONLY;
  mapping_ = CreateFileMappingW(file, nullptr, protect, 0, 0, nullptr);
  if (!mapping_) {
    Close();
    return false;
  }
  DWORD access = mode == MapMode::kCopyOnWrite ? FILE_MAP_COPY : FILE_MAP_READ;
  view_ = static_cast<uint8_t*>(MapViewOfFile(mapping_, access, 0, 0, 0));
  if (!view_) {
    Close();
    return false;
  }
  size_ = static_cast<uint32_t>(size.QuadPart);
  last_write_ = {written.dwLowDateTime, written.dwHighDateTime};
  return true;
}

void MappedFile::Close() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  if (file_) CloseHandle(file_);
  view_ = nullptr;
  mapping_ = nullptr;
  file_ = nullptr;
  size_ = 0;
  last_write_ = {};
}

HeadRead ReadFileHead(const wchar_t* path, uint8_t* buffer, size_t wanted, size_t* got,
                      uint64_t* file_size) {
  *got = 0;
  HANDLE file = OpenForSharedRead(path);
  if (file == INVALID_HANDLE_VALUE) return HeadRead::kCannotOpen;
  LARGE_INTEGER size = {};
  if (file_size) *file_size = GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  while (*got < wanted) {
    DWORD n = 0;
    DWORD ask = static_cast<DWORD>(wanted - *got);
    if (!ReadFile(file, buffer + *got, ask, &n, nullptr) || n == 0) break;
    *got += n;
  }
  CloseHandle(file);
  return HeadRead::kOk;
}
