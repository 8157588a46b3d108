#include "codecs/png_chunk.h"

#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/png_crc.h"

bool HasPngSignature(const uint8_t* data, size_t size) {
  return size >= kPngSignatureBytes && std::memcmp(data, kPngSignature, kPngSignatureBytes) == 0;
}

bool PngChunk::CrcMatches() const {
  return PngCrc(0, start + 4, size_t{length} + 4) == LoadU32Be(data() + length);
}

Status ChunkAt(const uint8_t* at, const uint8_t* end, PngChunk* chunk) {
  if (end - at < 8) return Status::kCorrupt;
  chunk->start = at;
  chunk->length = LoadU32Be(at);
  chunk->type = LoadU32Be(at + 4);
  if (chunk->length & 0x80000000u) return Status::kPngBadLength;
  if (static_cast<size_t>(end - at) < chunk->total()) return Status::kCorrupt;
  return Status::kOk;
}
