// The extraction side of a ZIP archive: one member, found by the offset of
// its local header, stored or inflated into page memory and checked against
// its CRC-32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/zip_directory.h"
#include "image/page_memory.h"

// The most a member may unpack to. Members are pictures handed to a
// decoder, and the whole member lives in page memory beside its image.
constexpr uint32_t kZipMemberLimit = uint32_t{1} << 30;

// The longest output a deflate stream of `compressed` bytes can produce: a
// block codes at most 258 bytes per bit-pair of a length symbol.
constexpr uint64_t LongestInflation(uint64_t compressed) { return (compressed + 1) * 1032; }

struct ZipExtracted {
  PageBlock block;    // the member's bytes followed by at least 4 zero bytes
  uint32_t size = 0;  // bytes of the member
};

// Extracts the member whose local header starts at `key` (the key the
// listing gave it). On failure *out holds no block.
ZipStatus ExtractZip(ArchiveBytes archive, uint32_t key, ZipExtracted* out);
