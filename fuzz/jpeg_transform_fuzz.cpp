// Lossless turns run on whatever JPEG file the user saves again, with every
// combination of options. The first byte picks the options, the rest is the
// file. Besides not crashing: failures say why, and what succeeds is a JPEG
// that reads back whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codecs/jpeg_library.h"
#include "codecs/jpeg_transform.h"
#include "codecs/memory_sink.h"
#include "fuzz/fuzz_check.h"

namespace {

// Enough for every picture a fuzzer builds in reasonable time.
constexpr size_t kFuzzMemoryLimit = size_t{64} << 20;

JpegTransformOptions OptionsFrom(uint8_t bits) {
  JpegTransformOptions options;
  options.code = (bits & 7) % 6;
  options.trim = (bits & 8) != 0;
  options.markers = (bits >> 4 & 3) % 3;
  options.greyscale = (bits & 0x40) != 0;
  options.progressive = (bits & 0x80) != 0;
  options.memory_limit = kFuzzMemoryLimit;
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const JpegTransformOptions options = OptionsFrom(data[0]);
  std::vector<uint8_t> file(data + 1, data + size);
  MemorySink out;
  std::string error;
  const Status status = TransformJpeg(file.data(), file.size(), options, &out, &error);
  Require(error.size() <= kJpegErrorTextLimit, "the error text is at most 200 characters");
  if (status != Status::kOk) {
    Require(status == Status::kCorrupt || status == Status::kUnsupported || status == Status::kNoMemory,
            "a memory sink never fails, so failures are about the input");
    Require(!error.empty(), "a failure says why");
    return 0;
  }
  Require(error.empty(), "success leaves no error text");
  std::vector<uint8_t> written = out.bytes();
  Require(written.size() >= 4 && written[0] == 0xFF && written[1] == 0xD8, "the output is a JPEG");
  JpegTransformOptions again;
  again.memory_limit = kFuzzMemoryLimit;
  MemorySink reread;
  Require(TransformJpeg(written.data(), written.size(), again, &reread, &error) == Status::kOk,
          "the output reads back whole");
  return 0;
}
