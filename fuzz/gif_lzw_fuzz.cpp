// Hostile GIF image data: the first byte picks the minimum code size and
// the picture's size, the rest is the code stream. The decoder must stay
// inside the pixels it is given and never claim more than it wrote.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/gif_lzw.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int min_code_size = kGifLzwMinCodeSizeLow + data[0] % 7;
  const size_t count = size_t{1} + (size_t{data[1]} << 6);
  std::vector<uint8_t> pixels(count, 0xFF);
  const size_t written = DecodeGifLzw(data + 2, size - 2, min_code_size, pixels.data(), count);
  Require(written <= count, "no more indices than the picture holds");
  for (size_t i = 0; i < written; ++i) {
    Require(pixels[i] < (1u << min_code_size), "every index is a colour of the table");
  }
  return 0;
}
