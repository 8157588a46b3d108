// What every image reader's fuzz target checks beyond its own format: the
// block form (an archive member in page memory) and the file form (a file
// opened by detection, as the viewer opens it) must give what the bytes gave.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "codecs/image_decoders.h"
#include "image/animation_frames.h"
#include "fuzz/fuzz_check.h"

// Frames after the first are canvases of the image's own size and layout.
inline bool SameFrames(const ImageBuffer& a, const ImageBuffer& b, uint64_t bytes) {
  if (!a.animation || !b.animation) return a.animation == b.animation;
  const AnimationFrameList& x = *a.animation;
  const AnimationFrameList& y = *b.animation;
  if (x.frame_count() != y.frame_count() || x.loop_count != y.loop_count || x.truncated != y.truncated) return false;
  for (int i = 0; i < x.frame_count(); ++i) {
    if (x.frames[size_t(i)].delay != y.frames[size_t(i)].delay) return false;
    if (i > 0 && std::memcmp(FrameCanvas(x, a.pixels, i), FrameCanvas(y, b.pixels, i), bytes) != 0) return false;
  }
  return true;
}

inline bool SameImage(const ImageBuffer& a, const ImageBuffer& b) {
  if (!a.pixels || !b.pixels) return a.pixels == b.pixels;
  const uint64_t bytes = uint64_t{Stride(a)} * static_cast<uint64_t>(a.header.height);
  return std::memcmp(&a.header, &b.header, sizeof(a.header)) == 0 &&
         std::memcmp(a.palette, b.palette, sizeof(a.palette)) == 0 &&
         std::memcmp(a.pixels, b.pixels, bytes) == 0 && SameFrames(a, b, bytes);
}

// What every read leaves, whatever the format: a failure no pixels and a
// reader's status, a success a storable picture from the reader's format.
// True when the read succeeded, for the format's own checks.
inline bool RequireReadOutcome(const ImageBuffer& image, Status status, bool is_reader_status,
                               SourceFormat format) {
  if (status != Status::kOk) {
    Require(image.pixels == nullptr, "a failed read leaves no pixels");
    Require(is_reader_status, "a failed read says why with a reader's status");
    return false;
  }
  const DibHeader& h = image.header;
  Require(image.pixels != nullptr, "a decoded image has pixels");
  Require(h.width > 0 && h.height > 0, "both dimensions are positive");
  Require(h.bit_count == 8 || h.bit_count == 24, "only 8 or 24 bits are stored");
  Require(h.x_pels_per_meter >= 0 && h.y_pels_per_meter >= 0, "resolutions are not negative");
  Require(image.source_format == format, "the source is the reader's format");
  return true;
}

// Decodes a page-memory copy of the bytes into `target` through `source`;
// false when no pages were to be had (then nothing is checked).
inline bool DecodeBlockForm(const uint8_t* data, size_t size, const DecodeSettings& settings,
                            bool (*read)(DecodeSource*), ImageBuffer* target, DecodeSource* source) {
  PageBlock block(size ? size : 1);
  if (!block) return false;
  std::memcpy(block.data(), data, size);
  source->settings = settings;
  OpenMemorySource(source, std::move(block), static_cast<uint32_t>(size), target);
  read(source);
  return true;
}

inline void CheckBlockImage(const DecodeSource& source, const ImageBuffer& expected, Status expected_status) {
  Require(source.status == expected_status, "the block form gives the status of the bytes");
  Require(SameImage(*source.target, expected), "the block form gives the image of the bytes");
}

// Reads the bytes again as an archive member in page memory.
inline void CheckBlockForm(const uint8_t* data, size_t size, const DecodeSettings& settings,
                           bool (*read)(DecodeSource*), const ImageBuffer& expected, Status expected_status) {
  OwnedImage image;
  DecodeSource source;
  if (DecodeBlockForm(data, size, settings, read, &image.record, &source))
    CheckBlockImage(source, expected, expected_status);
}

// Writes the bytes to a scratch file named after the target and opens it by
// detection; only files detected as `format` are checked.
inline void CheckFileForm(const char* target_name, FormatCode format, const uint8_t* data, size_t size,
                          const DecodeSettings& settings, const ImageBuffer& expected, Status expected_status) {
  static const std::string path = std::string("/tmp/") + target_name + "." + std::to_string(getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const bool written = std::fwrite(data, 1, size, f) == size;
  std::fclose(f);
  if (!written) return;
  OwnedImage image;
  FormatCode found = kFormatUnknown;
  const Status status = DecodeImageFile(path.c_str(), &image.record, &found, settings);
  if (found != format) return;
  Require(status == expected_status, "the file form gives the status of the bytes");
  Require(SameImage(image.record, expected), "the file form gives the image of the bytes");
}
