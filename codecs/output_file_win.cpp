#include <windows.h>

#include <algorithm>

#include "codecs/output_file.h"

namespace {

// WriteFile takes a 32-bit count.
constexpr size_t kLargestWrite = size_t{1} << 30;

}  // namespace

OutputFile::~OutputFile() {
  if (handle_) ::CloseHandle(handle_);
}

bool OutputFile::Create(const wchar_t* path) {
  Close();
  HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  handle_ = h == INVALID_HANDLE_VALUE ? nullptr : h;
  failed_ = handle_ == nullptr;
  return !failed_;
}

bool OutputFile::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (!failed_ && size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min(size, kLargestWrite));
    DWORD put = 0;
    if (!handle_ || !::WriteFile(handle_, bytes, chunk, &put, nullptr) || put == 0) {
      failed_ = true;
      break;
    }
    bytes += put;
    size -= put;
  }
  return !failed_;
}

bool OutputFile::Close() {
  if (handle_ && !::CloseHandle(handle_)) failed_ = true;
  handle_ = nullptr;
  return !failed_;
}
