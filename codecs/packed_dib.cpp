#include "codecs/packed_dib.h"

#include <algorithm>

#include "codecs/dib_decode.h"

namespace {

constexpr uint32_t kBitFields = 3;

uint32_t TableEntries(const DibHeader& h) { return h.bit_count <= 8 ? 1u << h.bit_count : 0; }

size_t MaskBytes(const DibHeader& h) { return h.compression == kBitFields ? 12 : 0; }

Status Decode(const uint8_t* data, size_t size, ImageBuffer* target) {
  if (size < kDibHeaderBytes) return Status::kReadFailed;
  const DibHeader header = LoadDibHeader(data);
  const size_t table_bytes = 4 * size_t{TableEntries(header)} + MaskBytes(header);
  if (Status s = CheckDibBeforeDecoding(header, table_bytes, size - kDibHeaderBytes);
      s != Status::kOk) {
    return s;
  }
  const DibLocation location = {data, size, header, kDibHeaderBytes, TableEntries(header),
                                kDibHeaderBytes, kDibHeaderBytes + table_bytes};
  if (Status s = DecodeDib(location, target); s != Status::kOk) return s;
  const uint64_t file_bytes =
      DibSourceStride(header.width, header.bit_count) * static_cast<uint64_t>(header.height) +
      table_bytes + 54;
  target->source_format = kSourceBmp;
  target->source_size = static_cast<uint32_t>(std::min<uint64_t>(file_bytes, UINT32_MAX));
  return Status::kOk;
}

}  // namespace

Status ReadPackedDib(const uint8_t* data, size_t size, ImageBuffer* target) {
  const Status status = Decode(data, size, target);
  if (status != Status::kOk) ReleasePixels(target);
  return status;
}
