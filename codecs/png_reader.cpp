#include "codecs/png_reader.h"

bool ReadPng(DecodeSource* source) {
  source->status = Status::kUnsupported;
  return false;
}

Status ReadPngBytes(const uint8_t*, size_t, const DecodeSettings&, ImageBuffer*, LoadResults*) {
  return Status::kUnsupported;
}
