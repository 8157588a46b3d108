// Writing PNG chunks: length, type, data and the CRC of type and data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/byte_sink.h"

// The most data one chunk may hold: its length field keeps the top bit clear.
constexpr size_t kPngLongestChunk = 0x7FFFFFFF;

bool WritePngSignature(ByteSink* out);

// `type` as PngChunkType gives it; `size` at most kPngLongestChunk.
bool WritePngChunk(ByteSink* out, uint32_t type, const uint8_t* data, size_t size);

// Image data longer than one chunk may hold goes into as many IDAT chunks as
// it needs, each of at most `longest` bytes; anything shorter stays whole.
bool WriteImageDataChunks(ByteSink* out, const uint8_t* data, size_t size,
                          size_t longest = kPngLongestChunk);
