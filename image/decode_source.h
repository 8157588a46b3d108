// The input of every built-in decoder: bytes from start to end with a read
// cursor, the record to fill and the status the decode ends with.
#pragma once

#include <cstdint>
#include <string>

#include "image/decode_settings.h"
#include "image/file_access.h"
#include "image/image_buffer.h"
#include "image/load_results.h"
#include "image/page_memory.h"
#include "image/status.h"

struct DecodeSource {
  MappedFile file;      // a file mapped whole (file sources)
  PageBlock member;     // an archive member extracted to pages (memory sources)
  const uint8_t* start = nullptr;
  const uint8_t* cursor = nullptr;
  const uint8_t* end = nullptr;
  ImageBuffer* target = nullptr;
  Status status = Status::kOk;
  DecodeSettings settings;  // how to read, from the settings file
  LoadResults results;      // what the reader found, for the document
  std::string error_text;   // the JPEG library's message when it ended the decode

  uint32_t size() const { return static_cast<uint32_t>(end - start); }
  size_t remaining() const { return static_cast<size_t>(end - cursor); }
};

// Maps the whole file. On failure the status is kReadFailed and the decode
// must not start.
bool OpenFileSource(DecodeSource* source, const PathChar* path, ImageBuffer* target,
                    MapMode mode = MapMode::kReadOnly);

// Takes ownership of an extracted member of `size` bytes (size may be less
// than the block, which is whole pages). The block is released with the source.
void OpenMemorySource(DecodeSource* source, PageBlock block, uint32_t size, ImageBuffer* target);

// How every decoder hands over its result: on failure the target keeps no
// pixels; on success it records where the image came from and how many
// bytes it took.
Status FinishDecode(Status status, SourceFormat format, size_t source_bytes, ImageBuffer* target);

// Copy-on-write file sources may be changed by the decoder.
inline uint8_t* MutableStart(DecodeSource* source) { return source->file.mutable_data(); }
