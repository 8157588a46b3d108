// A new output file written from start to end. Every write is checked: a
// full disk or a lost network share must fail the save, never leave a
// truncated file that looks complete.
#pragma once

#include <cstddef>

#include "codecs/byte_sink.h"
#include "image/path.h"

class OutputFile final : public ByteSink {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();  // closes without telling; call Close() to know

  // Creates the file, replacing any file of that name, for writing by this
  // handle alone.
  bool Create(const PathChar* path);
  bool Write(const void* data, size_t size) override;
  // False when an earlier write failed or the system could not store the
  // data; the file is closed either way.
  bool Close();

 private:
  bool failed_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;  // HANDLE
#else
  int fd_ = -1;
#endif
};
