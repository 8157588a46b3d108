#include "codecs/png_header.h"

#include "codecs/big_endian.h"

namespace {

constexpr uint32_t kHeaderLength = 13;

bool KnownDepth(uint8_t depth) {
  return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
}

// Low depths exist only for one-sample pixels; 16 bits never for indices.
bool AllowedWithDepth(uint8_t colour_type, uint8_t depth) {
  switch (colour_type) {
    case kPngGrey: return true;
    case kPngPalette: return depth <= 8;
    case kPngColour:
    case kPngGreyAlpha:
    case kPngColourAlpha: return depth >= 8;
    default: return false;
  }
}

Status CheckFields(const uint8_t* fields, PngHeader* header) {
  header->width = static_cast<int32_t>(LoadU32Be(fields));
  header->height = static_cast<int32_t>(LoadU32Be(fields + 4));
  header->depth = fields[8];
  header->colour_type = fields[9];
  header->interlaced = fields[12] == 1;
  if (header->width <= 0 || header->height <= 0) return Status::kUnsupported;
  if (fields[10] != 0) return Status::kPngBadCompression;
  if (fields[11] != 0) return Status::kPngBadFilter;
  if (fields[12] > 1) return Status::kPngBadInterlace;
  if (!KnownDepth(header->depth)) return Status::kPngBadBitDepth;
  if (!AllowedWithDepth(header->colour_type, header->depth)) return Status::kPngBadColourType;
  return Status::kOk;
}

}  // namespace

int PngHeader::channels() const {
  switch (colour_type) {
    case kPngColour: return 3;
    case kPngGreyAlpha: return 2;
    case kPngColourAlpha: return 4;
    default: return 1;
  }
}

size_t PngHeader::pixel_bytes() const {
  const size_t bits = size_t{depth} * static_cast<size_t>(channels());
  return bits < 8 ? 1 : bits / 8;
}

uint64_t PngHeader::row_bytes(uint32_t columns) const {
  return (uint64_t{columns} * depth * static_cast<uint64_t>(channels()) + 7) / 8;
}

Status ReadPngHeader(const uint8_t* data, size_t size, PngHeader* header) {
  if (size < kPngFirstChunkEnd || !HasPngSignature(data, size)) return Status::kCorrupt;
  const uint8_t* chunk_start = data + kPngSignatureBytes;
  PngChunk chunk;
  chunk.start = chunk_start;
  chunk.length = LoadU32Be(chunk_start);
  chunk.type = LoadU32Be(chunk_start + 4);
  if (chunk.length != kHeaderLength) return Status::kPngBadHeaderLength;
  if (chunk.type != PngChunkType("IHDR")) return Status::kPngHeaderNotFirst;
  if (!chunk.CrcMatches()) return Status::kPngBadChecksum;
  return CheckFields(chunk.data(), header);
}
