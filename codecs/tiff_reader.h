// Reading the first image of uncompressed TIFF files in either byte order:
// bilevel, grey and palette images into 8 bits with a palette, RGB at 8 or
// 16 bits per sample into 24 bits. Compressed files are refused.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decode_source.h"

// Decodes the source's bytes into its target and sets its status and
// results; false on failure, when the target holds no pixels. Source
// format TIFF.
bool ReadTiff(DecodeSource* source);

// The same on bytes in memory (an archive member, a test, a fuzzer). The
// results count an ImageDescription as the file's comment.
Status ReadTiffBytes(const uint8_t* data, size_t size, ImageBuffer* target, LoadResults* results = nullptr);
