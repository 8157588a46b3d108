// The image data of a PNG as unfiltered scanlines: the deflate stream of the
// IDAT chunks is inflated in large slices, and each scanline is unfiltered in
// place against the one before it in the same pass.
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

  // The stream is the IDAT data in order; the widest scanline holds
  // `max_row_bytes` bytes besides its filter type byte. kNoMemory or
  // kInflateFailed when it cannot start.
  Status Start(std::vector<ByteSpan> stream, size_t max_row_bytes, size_t pixel_bytes);

  // The first scanline of a pass (or of the image) is unfiltered against zeros.
  void BeginPass() { previous_ = nullptr; }

  // The next scanline of `row_bytes` bytes, unfiltered; nullptr when the
  // stream ends first (a short stream keeps the rows before) or is broken,
  // which status() then tells.
  const uint8_t* Next(size_t row_bytes);

  // kOk, or kInflateFailed when the deflate data were broken.
  Status status() const { return status_; }

 private:
  bool Fill(size_t wanted);
  void KeepPreviousAside(size_t row_bytes);

  z_stream zlib_ = {};
  bool started_ = false;
  bool ended_ = false;
  Status status_ = Status::kOk;
  std::vector<ByteSpan> stream_;
  size_t next_span_ = 0;
  size_t pixel_bytes_ = 1;

  PageBlock slice_;   // inflated bytes, several scanlines at a time
  size_t begin_ = 0;  // the next scanline's filter byte
  size_t end_ = 0;    // what inflate has written so far
  PageBlock kept_;    // the previous scanline when the slice starts over
  const uint8_t* previous_ = nullptr;
};
