#include "codecs/bmp_reader.h"

#include "app/little_endian.h"
#include "codecs/dib_decode.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kHeadersBytes = kFileHeaderBytes + kDibHeaderBytes;  // 54

// Info header versions whose colour table directly follows them. Other
// sizes are taken as the plain 40-byte header.
bool KnownInfoHeaderSize(uint32_t size) {
  switch (size) {
    case 40: case 52: case 56: case 64: case 108: case 124: return true;
    default: return false;
  }
}

// Entries the colour table holds: as many as colours used says, or the
// whole table of the depth; 1 and 4-bit images keep their first 2 or 16.
uint32_t PaletteEntries(const DibHeader& h) {
  if (h.bit_count < 8) return 1u << h.bit_count;
  return h.clr_used ? h.clr_used : 256;
}

uint64_t PaletteBytes(const DibHeader& h) {
  return h.clr_used ? uint64_t{h.clr_used} * 4 : uint64_t{4} << h.bit_count;
}

// The colour table that must lie behind the plain headers with the rows.
uint64_t CoveredTableBytes(const DibHeader& h) { return h.bit_count <= 8 ? PaletteBytes(h) : 0; }

Status Decode(const uint8_t* data, size_t size, ImageBuffer* target) {
  if (size < kHeadersBytes) return Status::kReadFailed;
  const size_t pixel_offset = LoadU32(data + 10);
  if (pixel_offset >= size) return Status::kReadFailed;
  const DibHeader header = LoadDibHeader(data + kFileHeaderBytes);
  // Measured behind the plain headers whatever the stored pixel-data offset
  // says: files with a larger info header put their rows later, and those
  // whose top rows run past the end still load, with the top rows black.
  if (Status s = CheckDibBeforeDecoding(header, CoveredTableBytes(header), size - kHeadersBytes);
      s != Status::kOk) {
    return s;
  }

  const size_t palette_offset =
      KnownInfoHeaderSize(header.size) ? kFileHeaderBytes + header.size : kHeadersBytes;
  const DibLocation location = {data, size, header, palette_offset, PaletteEntries(header),
                                kHeadersBytes, pixel_offset};
  return DecodeDib(location, target);
}

}  // namespace

Status ReadBmpBytes(const uint8_t* data, size_t size, ImageBuffer* target) {
  return FinishDecode(Decode(data, size, target), kSourceBmp, size, target);
}

bool ReadBmp(DecodeSource* source) {
  source->status = ReadBmpBytes(source->start, source->size(), source->target);
  return source->status == Status::kOk;
}
