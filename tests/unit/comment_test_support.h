// A comment replacement in memory with everything it hands back, for the
// comment tests of every format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/byte_sink.h"
#include "codecs/memory_sink.h"
#include "image/status.h"

struct Replaced {
  int result = -7;
  int flag = -7;
  Status why = Status::kOk;
  std::vector<uint8_t> bytes;
};

using ReplaceCommentFunction = int (*)(const uint8_t* data, size_t size, std::string_view text, int* flag,
                                       ByteSink* out, Status* why);

inline Replaced ReplaceWith(ReplaceCommentFunction replace, const std::vector<uint8_t>& file,
                            const std::string& text, int flag) {
  Replaced r;
  MemorySink sink;
  r.flag = flag;
  r.result = replace(file.data(), file.size(), text, &r.flag, &sink, &r.why);
  r.bytes = sink.bytes();
  return r;
}
