// One chunk of a PNG file as it lies in memory: the walk from chunk to
// chunk checks that each one fits before anything looks inside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/status.h"

constexpr size_t kPngSignatureBytes = 8;
constexpr size_t kPngChunkOverhead = 12;  // length, type and CRC
constexpr size_t kPngFirstChunkEnd = 33;  // signature and a whole IHDR
inline constexpr uint8_t kPngSignature[kPngSignatureBytes] = {0x89, 'P', 'N', 'G',
                                                            '\r', '\n', 0x1A, '\n'};

bool HasPngSignature(const uint8_t* data, size_t size);

constexpr uint32_t PngChunkType(const char (&name)[5]) {
  return (uint32_t(uint8_t(name[0])) << 24) | (uint32_t(uint8_t(name[1])) << 16) |
         (uint32_t(uint8_t(name[2])) << 8) | uint32_t(uint8_t(name[3]));
}

struct PngChunk {
  const uint8_t* start = nullptr;  // the length field
  uint32_t length = 0;
  uint32_t type = 0;

  const uint8_t* data() const { return start + 8; }
  size_t total() const { return size_t{length} + kPngChunkOverhead; }
  const uint8_t* next() const { return start + total(); }
  // The stored CRC against the one of type and data.
  bool CrcMatches() const;
};

// The chunk at `at`: kPngBadLength for a length with its top bit set,
// kCorrupt when the chunk does not fit before `end`.
Status ChunkAt(const uint8_t* at, const uint8_t* end, PngChunk* chunk);
