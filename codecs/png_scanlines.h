// The image data of a PNG as unfiltered scanlines. Data that inflate whole
// within a bound are inflated in one call, the fastest way; larger images,
// and streams that are broken or stop early, are inflated slice by slice,
// so that a short stream still gives the rows before its end. Each scanline
// is unfiltered in place against the one before it in the same pass.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/page_memory.h"
#include "image/status.h"

struct ByteSpan {
  const uint8_t* data;
  size_t size;
};

class PngScanlines {
 public:
  PngScanlines() = default;
  PngScanlines(const PngScanlines&) = delete;
  PngScanlines& operator=(const PngScanlines&) = delete;
  ~PngScanlines();

  // The stream is the IDAT data in order; all scanlines with their filter
  // type bytes take `total_bytes`, the widest `max_row_bytes` besides its
  // type byte. kNoMemory or kInflateFailed when it cannot start.
  Status Start(std::vector<ByteSpan> stream, uint64_t total_bytes, size_t max_row_bytes,
               size_t pixel_bytes);

  // The first scanline of a pass (or of the image) is unfiltered against zeros.
  void BeginPass() { previous_ = nullptr; }

  // The next scanline of `row_bytes` bytes, unfiltered; nullptr when the
  // stream ends first (a short stream keeps the rows before) or is broken,
  // which status() then tells.
  const uint8_t* Next(size_t row_bytes);

  // kOk, or kInflateFailed when the deflate data were broken.
  Status status() const { return status_; }

 private:
  bool InflateWhole(uint64_t total_bytes);
  Status StartSlices(size_t max_row_bytes);
  bool Fill(size_t wanted);
  void KeepPreviousAside(size_t row_bytes);

  std::vector<ByteSpan> stream_;
  size_t pixel_bytes_ = 1;
  Status status_ = Status::kOk;
  PageBlock joined_;  // several IDATs in one piece, for the one-call inflate
  bool whole_ = false;

  z_stream zlib_ = {};
  bool zlib_started_ = false;
  bool ended_ = false;
  size_t next_span_ = 0;

  PageBlock slice_;   // inflated bytes: all of them, or a slice of scanlines
  size_t begin_ = 0;  // the next scanline's filter byte
  size_t end_ = 0;    // what inflate has written so far
  PageBlock kept_;    // the previous scanline when a slice starts over
  const uint8_t* previous_ = nullptr;
};
