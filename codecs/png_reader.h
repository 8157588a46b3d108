// Reading PNG files of every standard depth and colour type, interlaced or
// not, into 8 bits with palette or 24 bits, with gamma correction and
// transparency blended onto a background.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decode_source.h"

// Decodes the source's bytes into its target as its settings say, and sets
// its status and results; false on failure, when the target holds no pixels.
// Source format PNG.
bool ReadPng(DecodeSource* source);

// The same on bytes in memory (an archive member, a test, a fuzzer).
Status ReadPngBytes(const uint8_t* data, size_t size, const DecodeSettings& settings,
                    ImageBuffer* target, LoadResults* results = nullptr);
