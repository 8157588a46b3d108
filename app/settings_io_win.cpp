#include "app/settings_io.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

// ReadFile/WriteFile take a 32-bit count; larger transfers go in pieces.
constexpr DWORD kMaxChunk = 1u << 30;

OVERLAPPED OffsetRecord(uint64_t offset) {
  OVERLAPPED record = {};
  record.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  record.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return record;
}

void* OpenHandle(const PathChar* path, DWORD access, DWORD sharing,
                 DWORD disposition) {
  HANDLE handle = ::CreateFileW(path, access, sharing, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

SettingsFile::~SettingsFile() { Close(); }

SettingsFile::SettingsFile(SettingsFile&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

SettingsFile& SettingsFile::operator=(SettingsFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

bool SettingsFile::OpenForReading(const PathChar* path) {
  Close();
  handle_ = OpenHandle(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  return handle_ != nullptr;
}

bool SettingsFile::OpenForUpdate(const PathChar* path) {
  Close();
  handle_ = OpenHandle(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
  return handle_ != nullptr;
}

void SettingsFile::Close() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
  handle_ = nullptr;
}

bool SettingsFile::IsOpen() const { return handle_ != nullptr; }

bool SettingsFile::GetSize(uint64_t* size) const {
  LARGE_INTEGER value;
  if (handle_ == nullptr || !::GetFileSizeEx(handle_, &value) ||
      value.QuadPart < 0) {
    return false;
  }
  *size = static_cast<uint64_t>(value.QuadPart);
  return true;
}

size_t SettingsFile::ReadAt(uint64_t offset, void* buffer, size_t length) const {
  if (handle_ == nullptr) return 0;
  char* bytes = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < length) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(length - done, kMaxChunk));
    OVERLAPPED at = OffsetRecord(offset + done);
    DWORD got = 0;
    if (!::ReadFile(handle_, bytes + done, chunk, &got, &at) || got == 0) break;
    done += got;
  }
  return done;
}

size_t SettingsFile::WriteAt(uint64_t offset, const void* buffer, size_t length) {
  if (handle_ == nullptr) return 0;
  const char* bytes = static_cast<const char*>(buffer);
  size_t done = 0;
  while (done < length) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(length - done, kMaxChunk));
    OVERLAPPED at = OffsetRecord(offset + done);
    DWORD put = 0;
    if (!::WriteFile(handle_, bytes + done, chunk, &put, &at) || put == 0) break;
    done += put;
  }
  return done;
}

bool SettingsFile::Truncate(uint64_t size) {
  if (handle_ == nullptr || size > static_cast<uint64_t>(INT64_MAX)) return false;
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(size);
  return ::SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) &&
         ::SetEndOfFile(handle_);
}
