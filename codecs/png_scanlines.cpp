#include "codecs/png_scanlines.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "codecs/png_filters.h"

namespace {

// Large enough for zlib's fast path to run most of the time, small enough
// to stay in the cache together with the rows being written.
constexpr size_t kSliceBytes = 256 * 1024;

// Inflating whole needs all scanlines at once beside the image; above this
// the memory matters more than the speed.
constexpr uint64_t kWholeLimit = uint64_t{256} << 20;

struct DecompressorFree {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

}  // namespace

PngScanlines::~PngScanlines() {
  if (zlib_started_) inflateEnd(&zlib_);
}

Status PngScanlines::Start(std::vector<ByteSpan> stream, uint64_t total_bytes, size_t max_row_bytes,
                           size_t pixel_bytes) {
  stream_ = std::move(stream);
  pixel_bytes_ = pixel_bytes;
  if (total_bytes <= kWholeLimit && InflateWhole(total_bytes)) return Status::kOk;
  return StartSlices(max_row_bytes);
}

// Only a stream that inflates cleanly and within the image is taken this
// way; anything else is left to the slices, which know how far a broken
// stream got.
bool PngScanlines::InflateWhole(uint64_t total_bytes) {
  const uint8_t* input = stream_.empty() ? nullptr : stream_[0].data;
  size_t input_bytes = stream_.empty() ? 0 : stream_[0].size;
  if (stream_.size() > 1) {
    for (size_t i = 1; i < stream_.size(); ++i) input_bytes += stream_[i].size;
    joined_ = PageBlock(input_bytes);
    if (!joined_) return false;
    size_t at = 0;
    for (const ByteSpan& span : stream_) {
      std::memcpy(joined_.data() + at, span.data, span.size);
      at += span.size;
    }
    input = joined_.data();
  }
  std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(libdeflate_alloc_decompressor());
  slice_ = PageBlock(static_cast<size_t>(std::max<uint64_t>(total_bytes, 1)));
  if (!decompressor || !slice_ || !input) return false;
  size_t inflated = 0;
  const libdeflate_result result = libdeflate_zlib_decompress(
      decompressor.get(), input, input_bytes, slice_.data(), static_cast<size_t>(total_bytes), &inflated);
  joined_.Reset();
  if (result != LIBDEFLATE_SUCCESS) return false;
  whole_ = true;
  end_ = inflated;
  return true;
}

Status PngScanlines::StartSlices(size_t max_row_bytes) {
  slice_ = PageBlock(std::max(kSliceBytes, 2 * (max_row_bytes + 1)));
  kept_ = PageBlock(max_row_bytes + 1);
  begin_ = end_ = 0;
  if (!slice_ || !kept_) return Status::kNoMemory;
  if (inflateInit2(&zlib_, 15) != Z_OK) return Status::kInflateFailed;
  zlib_started_ = true;
  return Status::kOk;
}

// The slice starts over: the unconsumed bytes move to its front, and the
// previous scanline, which they would overwrite, goes aside first.
void PngScanlines::KeepPreviousAside(size_t row_bytes) {
  if (previous_ && previous_ != kept_.data()) {
    std::memcpy(kept_.data(), previous_, row_bytes);
    previous_ = kept_.data();
  }
  std::memmove(slice_.data(), slice_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
}

// Inflates until `wanted` bytes wait from begin_, or the stream ends.
bool PngScanlines::Fill(size_t wanted) {
  while (end_ - begin_ < wanted) {
    if (ended_ || whole_) return false;
    if (zlib_.avail_in == 0 && next_span_ < stream_.size()) {
      zlib_.next_in = const_cast<Bytef*>(stream_[next_span_].data);
      zlib_.avail_in = static_cast<uInt>(stream_[next_span_].size);
      ++next_span_;
    }
    zlib_.next_out = slice_.data() + end_;
    zlib_.avail_out = static_cast<uInt>(slice_.size() - end_);
    const int result = inflate(&zlib_, Z_NO_FLUSH);
    end_ = static_cast<size_t>(zlib_.next_out - slice_.data());
    if (result == Z_STREAM_END) {
      ended_ = true;
    } else if (result == Z_BUF_ERROR && zlib_.avail_in == 0 && next_span_ == stream_.size()) {
      ended_ = true;  // the data stop before the stream does
    } else if (result != Z_OK && result != Z_BUF_ERROR) {
      ended_ = true;
      status_ = Status::kInflateFailed;
    }
  }
  return true;
}

const uint8_t* PngScanlines::Next(size_t row_bytes) {
  const size_t wanted = row_bytes + 1;
  if (!whole_ && end_ - begin_ < wanted && slice_.size() - begin_ < wanted) KeepPreviousAside(row_bytes);
  if (!Fill(wanted)) return nullptr;
  uint8_t* line = slice_.data() + begin_;
  UnfilterRow(line[0], line + 1, previous_, row_bytes, pixel_bytes_);
  begin_ += wanted;
  previous_ = line + 1;
  return line + 1;
}
