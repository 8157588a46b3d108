#include "codecs/png_chunk_writer.h"

#include "codecs/big_endian.h"
#include "codecs/png_chunk.h"
#include "codecs/png_crc.h"

bool WritePngSignature(ByteSink* out) { return out->Write(kPngSignature, kPngSignatureBytes); }

bool WritePngChunk(ByteSink* out, uint32_t type, const uint8_t* data, size_t size) {
  uint8_t head[8], tail[4];
  StoreU32Be(static_cast<uint32_t>(size), head);
  StoreU32Be(type, head + 4);
  StoreU32Be(PngCrc(PngCrc(0, head + 4, 4), data, size), tail);
  return out->Write(head, sizeof(head)) && (size == 0 || out->Write(data, size)) &&
         out->Write(tail, sizeof(tail));
}

bool WriteImageDataChunks(ByteSink* out, const uint8_t* data, size_t size, size_t longest) {
  size_t at = 0;
  do {
    const size_t part = size - at < longest ? size - at : longest;
    if (!WritePngChunk(out, PngChunkType("IDAT"), data + at, part)) return false;
    at += part;
  } while (at < size);
  return true;
}
