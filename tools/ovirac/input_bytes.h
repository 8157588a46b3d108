// The whole bytes of an input, a file or an "ARCHIVE::MEMBER", for the
// commands that look inside a file without decoding its image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/zip_archive.h"
#include "image/file_access.h"
#include "image/path.h"

class InputBytes {
 public:
  // False, with the reason on stderr, when the input cannot be read.
  bool Open(const PathChar* path);

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  MappedFile file_;
  ZipExtracted member_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
