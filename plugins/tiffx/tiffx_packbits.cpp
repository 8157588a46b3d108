#include "plugins/tiffx/tiffx_packbits.h"

#include <algorithm>
#include <cstring>

size_t DecodePackBits(const uint8_t* data, size_t size, uint8_t* out, size_t capacity) {
  size_t in = 0;
  size_t written = 0;
  while (in < size && written < capacity) {
    const int n = static_cast<int8_t>(data[in++]);
    if (n >= 0) {
      // n + 1 bytes follow as they are.
      const size_t wanted = std::min<size_t>(size_t(n) + 1, size - in);
      const size_t count = std::min(wanted, capacity - written);
      std::memcpy(out + written, data + in, count);
      in += wanted;
      written += count;
    } else if (n != -128 && in < size) {
      // The next byte, 1 - n times; -128 is a byte that means nothing.
      const size_t count = std::min<size_t>(size_t(1 - n), capacity - written);
      std::memset(out + written, data[in++], count);
      written += count;
    }
  }
  return written;
}
