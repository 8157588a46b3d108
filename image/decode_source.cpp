#include "image/decode_source.h"

#include <algorithm>
#include <utility>

namespace {

void PointAt(DecodeSource* source, const uint8_t* data, uint32_t size, ImageBuffer* target) {
  source->start = data;
  source->cursor = data;
  source->end = data + size;
  source->target = target;
  source->status = Status::kOk;
}

}  // namespace

bool OpenFileSource(DecodeSource* source, const PathChar* path, ImageBuffer* target,
                    MapMode mode) {
  source->member.Reset();
  if (!source->file.Open(path, mode)) {
    PointAt(source, nullptr, 0, target);
    source->status = Status::kReadFailed;
    return false;
  }
  PointAt(source, source->file.data(), source->file.size(), target);
  return true;
}

void OpenMemorySource(DecodeSource* source, PageBlock block, uint32_t size, ImageBuffer* target) {
  source->file.Close();
  if (size > block.size()) size = static_cast<uint32_t>(block.size());
  source->member = std::move(block);
  PointAt(source, source->member.data(), size, target);
}

Status FinishDecode(Status status, SourceFormat format, size_t source_bytes, ImageBuffer* target) {
  if (status != Status::kOk) {
    ReleasePixels(target);
    return status;
  }
  target->source_format = format;
  target->source_size = static_cast<uint32_t>(std::min<size_t>(source_bytes, UINT32_MAX));
  return status;
}
