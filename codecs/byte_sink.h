// Where an encoder's bytes go: a file, or memory in tests and fuzzing.
#pragma once

#include <cstddef>

class ByteSink {
 public:
  // False unless every byte was taken; a sink that failed once stays failed.
  virtual bool Write(const void* data, size_t size) = 0;

 protected:
  ~ByteSink() = default;
};
