#include "image/file_access.h"

// Moving is the same on every system; only what is moved differs.

MappedFile::MappedFile(MappedFile&& other) noexcept { MoveFrom(other); }

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Close();
    MoveFrom(other);
  }
  return *this;
}
