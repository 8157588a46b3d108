#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "image/file_access.h"

namespace {

// Seconds between 1601-01-01 and 1970-01-01, the two epochs.
constexpr uint64_t kEpochDifference = 11644473600ULL;

FileTimeValue ToFileTime(const struct timespec& t) {
  uint64_t ticks = (static_cast<uint64_t>(t.tv_sec) + kEpochDifference) * 10000000ULL +
                   static_cast<uint64_t>(t.tv_nsec) / 100;
  return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

int OpenRegularFile(const char* path, struct stat* st) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

void MappedFile::MoveFrom(MappedFile& other) {
  view_ = std::exchange(other.view_, nullptr);
  size_ = std::exchange(other.size_, 0);
  last_write_ = other.last_write_;
  fd_ = std::exchange(other.fd_, -1);
}

bool MappedFile::Open(const char* path, MapMode mode) {
  Close();
  struct stat st;
  int fd = OpenRegularFile(path, &st);
  if (fd < 0) return false;
  if (st.st_size <= 0 || static_cast<uint64_t>(st.st_size) > UINT32_MAX) {
    close(fd);
    return false;
  }
  int prot = mode == MapMode::kCopyOnWrite ? PROT_READ | PROT_WRITE : PROT_READ;
  void* view = mmap(nullptr, static_cast<size_t>(st.st_size), prot, MAP_PRIVATE, fd, 0);
  if (view == MAP_FAILED) {
    close(fd);
    return false;
  }
  fd_ = fd;
  view_ = static_cast<uint8_t*>(view);
  size_ = static_cast<uint32_t>(st.st_size);
  last_write_ = ToFileTime(st.st_mtim);
  return true;
}

void MappedFile::Close() {
  if (view_) munmap(view_, size_);
  if (fd_ >= 0) close(fd_);
  view_ = nullptr;
  size_ = 0;
  fd_ = -1;
  last_write_ = {};
}

HeadRead ReadFileHead(const char* path, uint8_t* buffer, size_t wanted, size_t* got,
                      uint64_t* file_size) {
  *got = 0;
  struct stat st;
  int fd = OpenRegularFile(path, &st);
  if (fd < 0) return HeadRead::kCannotOpen;
  if (file_size) *file_size = static_cast<uint64_t>(st.st_size);
  while (*got < wanted) {
    ssize_t n = read(fd, buffer + *got, wanted - *got);
    if (n <= 0) break;
    *got += static_cast<size_t>(n);
  }
  close(fd);
  return HeadRead::kOk;
}
