#include "plugins/tiffx/tiffx_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

size_t InflateTiffx(const uint8_t* data, size_t size, uint8_t* out, size_t capacity) {
  z_stream stream = {};
  if (inflateInit(&stream) != Z_OK) return 0;
  // zlib counts in 32 bits; a strip's byte count is 32 bits already, and
  // no strip holds more than this.
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(std::min<size_t>(size, UINT_MAX));
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(std::min<size_t>(capacity, UINT_MAX));
  while (stream.avail_out > 0) {
    const uInt before = stream.avail_out;
    const int result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK || stream.avail_out == before) break;
  }
  const size_t written = stream.total_out;
  inflateEnd(&stream);
  return written;
}
