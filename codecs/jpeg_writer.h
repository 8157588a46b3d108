// Writing the current image as JPEG: colour or greyscale, baseline or
// progressive, with the kept Exif block and a comment; and the search for
// the highest quality whose file fits a size limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codecs/byte_sink.h"
#include "codecs/memory_sink.h"
#include "image/image_buffer.h"

struct JpegWriteContext {
  int quality = 75;      // 1..100; below 1 writes the quality-1 tables
  int subsampling = 0;   // luma sampling: 0 2x2, 1 2x1, 2 1x1; anything else as 0
  bool greyscale = false;
  bool progressive = false;
  int32_t x_resolution = 0;  // pixels per metre; a JFIF density only when both are set
  int32_t y_resolution = 0;
  std::vector<uint8_t> exif;  // APP1 payload from "Exif" on; empty writes none (and JFIF)
  std::string comment;        // ANSI bytes; carriage returns dropped, at most 4095 kept
};

// image: 8 bits with palette (written as its colours) or 24 bits. The Exif
// block's pixel dimensions are set to the image's size in the written copy.
// Status: kEncodeFailed or kNoMemory when the 8-bit image cannot be turned
// into colour; kCannotWrite when the output refused bytes; kUnsupported for
// any other error of the library. Both library cases leave its message in
// *error_text (at most 200 characters), which is cleared otherwise. After a
// failure the output may hold a partial file.
Status WriteJpeg(const ImageBuffer& image, const JpegWriteContext& context, ByteSink* out,
                 std::string* error_text);

// What a size-limited save settled on: the quality of the encoding kept
// and how many encodings it took.
struct JpegLimitSearch {
  int quality = 0;
  int encodings = 0;
};

// Encodes into *result at context.quality and, when that is larger than
// limit_bytes, bisects the quality downward towards the highest one that
// fits. *result holds the last encoding made: above the limit when even
// quality 1 is. kCannotWrite when the image with its Exif block and comment
// would need more than 4 GiB of memory; otherwise as WriteJpeg.
Status WriteJpegWithinLimit(const ImageBuffer& image, JpegWriteContext context, size_t limit_bytes,
                            MemorySink* result, std::string* error_text,
                            JpegLimitSearch* search = nullptr);
