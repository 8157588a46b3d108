#include "codecs/png_deflate.h"

#include <zlib.h>

namespace {

// Owns the deflate state from a successful set-up to the end.
class Deflater {
 public:
  Deflater(int level, int strategy)
      : ready_(deflateInit2(&z_, level, Z_DEFLATED, 15, 8, strategy) == Z_OK) {}
  ~Deflater() {
    if (ready_) deflateEnd(&z_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  bool ready() const { return ready_; }
  z_stream* stream() { return &z_; }

 private:
  z_stream z_ = {};
  bool ready_;
};

}  // namespace

Status DeflateImageData(const uint8_t* data, size_t size, int level, bool filtered, PageBlock* out,
                        size_t* out_size) {
  // zlib counts in uInt and uLong, both 32 bits on 64-bit Windows.
  if (size > 0xFFFFFFFFu) return Status::kDeflateFailed;
  Deflater deflater(level, filtered ? Z_FILTERED : Z_DEFAULT_STRATEGY);
  if (!deflater.ready()) return Status::kDeflateFailed;
  z_stream* z = deflater.stream();
  const uint64_t n = size;
  uint64_t capacity = deflateBound(z, static_cast<uLong>(size));
  if (capacity < n + n / 8 + n / 64 + 5) capacity = n + n / 8 + n / 64 + 5;
  if (capacity > 0xFFFFFFFFu) return Status::kDeflateFailed;
  *out = PageBlock(static_cast<size_t>(capacity));
  if (!*out) return Status::kNoMemory;
  z->next_in = const_cast<Bytef*>(data);
  z->avail_in = static_cast<uInt>(size);
  z->next_out = out->data();
  z->avail_out = static_cast<uInt>(capacity);
  if (deflate(z, Z_FINISH) != Z_STREAM_END) return Status::kDeflateFailed;
  *out_size = static_cast<size_t>(z->total_out);
  return Status::kOk;
}
