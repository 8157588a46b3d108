#include "app/settings_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

// pread/pwrite may transfer less than asked and may be interrupted; loop
// until done, end of file (0) or a real error.
template <typename Transfer>
size_t TransferAll(Transfer transfer, size_t length) {
  size_t done = 0;
  while (done < length) {
    ssize_t n = transfer(done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

bool FitsOffset(uint64_t offset, size_t length) {
  const uint64_t max_offset = static_cast<uint64_t>(INT64_MAX);
  return offset <= max_offset && length <= max_offset - offset;
}

}  // namespace

SettingsFile::~SettingsFile() { Close(); }

SettingsFile::SettingsFile(SettingsFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

SettingsFile& SettingsFile::operator=(SettingsFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

bool SettingsFile::OpenForReading(const PathChar* path) {
  Close();
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
  return fd_ >= 0;
}

bool SettingsFile::OpenForUpdate(const PathChar* path) {
  Close();
  fd_ = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  return fd_ >= 0;
}

void SettingsFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SettingsFile::IsOpen() const { return fd_ >= 0; }

bool SettingsFile::GetSize(uint64_t* size) const {
  struct stat info;
  if (fd_ < 0 || ::fstat(fd_, &info) != 0 || info.st_size < 0) return false;
  *size = static_cast<uint64_t>(info.st_size);
  return true;
}

size_t SettingsFile::ReadAt(uint64_t offset, void* buffer, size_t length) const {
  if (fd_ < 0 || !FitsOffset(offset, length)) return 0;
  char* bytes = static_cast<char*>(buffer);
  return TransferAll(
      [&](size_t done, size_t rest) {
        return ::pread(fd_, bytes + done, rest, static_cast<off_t>(offset + done));
      },
      length);
}

size_t SettingsFile::WriteAt(uint64_t offset, const void* buffer, size_t length) {
  if (fd_ < 0 || !FitsOffset(offset, length)) return 0;
  const char* bytes = static_cast<const char*>(buffer);
  return TransferAll(
      [&](size_t done, size_t rest) {
        return ::pwrite(fd_, bytes + done, rest, static_cast<off_t>(offset + done));
      },
      length);
}

bool SettingsFile::Truncate(uint64_t size) {
  if (fd_ < 0 || size > static_cast<uint64_t>(INT64_MAX)) return false;
  int result;
  do {
    result = ::ftruncate(fd_, static_cast<off_t>(size));
  } while (result != 0 && errno == EINTR);
  return result == 0;
}
