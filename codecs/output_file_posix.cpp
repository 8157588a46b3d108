#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "codecs/output_file.h"

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool OutputFile::Create(const char* path) {
  Close();
  fd_ = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  failed_ = fd_ < 0;
  return !failed_;
}

bool OutputFile::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (!failed_ && size > 0) {
    const ssize_t put = fd_ < 0 ? -1 : ::write(fd_, bytes, size);
    if (put < 0 && errno == EINTR) continue;
    // write() taking nothing at all would loop forever; it counts as failure.
    if (put <= 0) {
      failed_ = true;
      break;
    }
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return !failed_;
}

bool OutputFile::Close() {
  if (fd_ >= 0 && ::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  return !failed_;
}
