#include "codecs/tiff_reader.h"

#include "codecs/tiff_directory.h"
#include "codecs/tiff_pixels.h"

namespace {

Status Decode(const uint8_t* data, size_t size, ImageBuffer* target, LoadResults* results) {
  TiffBytes bytes;
  uint32_t first = 0;
  if (Status s = ReadTiffHeader(data, size, &bytes, &first); s != Status::kOk) return s;
  TiffDirectory directory;
  if (Status s = ReadTiffDirectory(bytes, first, &directory); s != Status::kOk) return s;
  if (Status s = CheckTiffOutput(directory); s != Status::kOk) return s;
  TiffRows rows;
  if (Status s = GatherTiffRows(bytes, directory, &rows); s != Status::kOk) return s;
  if (Status s = MakeTiffImage(bytes, directory, rows.data, target); s != Status::kOk) return s;
  if (results) results->comment_count = directory.description ? 1 : 0;
  return Status::kOk;
}

}  // namespace

Status ReadTiffBytes(const uint8_t* data, size_t size, ImageBuffer* target, LoadResults* results) {
  return FinishDecode(Decode(data, size, target, results), kSourceTiff, size, target);
}

bool ReadTiff(DecodeSource* source) {
  source->status = ReadTiffBytes(source->start, source->size(), source->target, &source->results);
  return source->status == Status::kOk;
}
