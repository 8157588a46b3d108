// Read access to whole files by mapping them, and short reads of a file's
// first bytes. Decoders work directly on the mapped bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/path.h"
#include "image/win_records.h"

enum class MapMode {
  kReadOnly,
  // Private pages: the caller may change the mapped bytes, the file on disk
  // never changes.
  kCopyOnWrite,
};

// One mapped file; move-only, unmapped and closed on destruction.
class MappedFile {
 public:
  MappedFile() = default;
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile() { Close(); }

  // Fails for files that cannot be opened, are empty, are not regular files
  // or are 4 GiB or larger (sizes in the image records are 32-bit).
  bool Open(const PathChar* path, MapMode mode);
  void Close();

  const uint8_t* data() const { return view_; }
  // Only meaningful for kCopyOnWrite.
  uint8_t* mutable_data() const { return view_; }
  uint32_t size() const { return size_; }
  FileTimeValue last_write_time() const { return last_write_; }

 private:
  void MoveFrom(MappedFile& other);

  uint8_t* view_ = nullptr;
  uint32_t size_ = 0;
  FileTimeValue last_write_{};
#ifdef _WIN32
  void* file_ = nullptr;     // HANDLE, INVALID_HANDLE_VALUE kept as nullptr
  void* mapping_ = nullptr;  // HANDLE
#else
  int fd_ = -1;
#endif
};

enum class HeadRead {
  kOk,           // bytes were read (possibly fewer than asked)
  kCannotOpen,   // missing, unreadable, or not a regular file
};

// Reads up to `wanted` bytes from the start of a file with shared read access,
// and its whole size when asked.
HeadRead ReadFileHead(const PathChar* path, uint8_t* buffer, size_t wanted, size_t* got,
                      uint64_t* file_size = nullptr);
