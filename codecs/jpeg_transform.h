// Lossless turns and flips of a JPEG file: the DCT coefficients are moved
// and re-signed, never decoded to pixels, so nothing of the picture's
// quality is lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/byte_sink.h"
#include "image/status.h"

// Source and target coefficient arrays together may take this much memory.
constexpr size_t kJpegTransformMemoryLimit = size_t{1536} << 20;

struct JpegTransformOptions {
  // 1 flip horizontal, 2 flip vertical, 3 rotate 90, 4 rotate 180,
  // 5 rotate 270 clockwise; 0 writes the coefficients unchanged.
  int code = 0;
  bool trim = false;  // drop the partial iMCUs that cannot be mirrored
  int markers = 0;    // 0 none, 1 comments, 2 comments and APP0..APP15
  bool greyscale = false;
  bool progressive = false;
  size_t memory_limit = kJpegTransformMemoryLimit;
};

// Transforms the JPEG in `data` into `out`. The data must be writable:
// when all markers are kept and the picture turns, the Exif orientation in
// it is set to 1 first (the caller maps the file copy-on-write). Library
// errors give kCorrupt (kNoMemory, kCannotWrite, kUnsupported where they
// mean that) with the library's message in *error_text.
Status TransformJpeg(uint8_t* data, size_t size, const JpegTransformOptions& options, ByteSink* out,
                     std::string* error_text);

// The transformation code for an accumulated rotation state (1 rotate 90,
// 2 rotate 180, 3 rotate 270, 4 flip horizontal, 5 flip vertical); 0 for none.
int TransformCodeForRotationState(int state);
