#include "codecs/image_decoders.h"

#include <utility>

#include "codecs/bmp_reader.h"
#include "codecs/gif_reader.h"
#include "codecs/jpeg_reader.h"
#include "codecs/png_reader.h"
#include "codecs/tiff_reader.h"

bool HasBuiltInDecoder(FormatCode format) {
  return format == kFormatBmp || format == kFormatPng || format == kFormatJpeg ||
         format == kFormatTiff || format == kFormatGif;
}

bool DecodeBuiltIn(FormatCode format, DecodeSource* source) {
  switch (format) {
    case kFormatBmp:
      return ReadBmp(source);
    case kFormatPng:
      return ReadPng(source);
    case kFormatJpeg:
      return ReadJpeg(source);
    case kFormatTiff:
      return ReadTiff(source);
    case kFormatGif:
      return ReadGif(source);
    default:
      source->status = Status::kUnsupported;
      return false;
  }
}

namespace {

// The part every decode shares once its source is open.
Status DecodeOpened(FormatCode format, DecodeSource* source, LoadResults* results,
                    std::string* error_text) {
  // Every decode starts from a clean palette: entries the file does not
  // define must read as zero.
  for (RgbQuad& entry : source->target->palette) entry = {};
  if (!DecodeBuiltIn(format, source)) {
    if (error_text) *error_text = source->error_text;
    return source->status;
  }
  if (results) *results = source->results;
  return Status::kOk;
}

}  // namespace

Status DecodeImageFile(const PathChar* path, ImageBuffer* target, FormatCode* format,
                       const DecodeSettings& settings, LoadResults* results, std::string* error_text) {
  *format = DetectFileFormat(path);
  if (*format == kFormatCannotOpen) return Status::kReadFailed;
  if (!HasBuiltInDecoder(*format)) return Status::kUnsupported;
  DecodeSource source;
  source.settings = settings;
  if (!OpenFileSource(&source, path, target)) return source.status;
  const Status status = DecodeOpened(*format, &source, results, error_text);
  if (status == Status::kOk) target->last_write_time = source.file.last_write_time();
  return status;
}

Status DecodeImageMember(PageBlock* block, uint32_t size, ImageBuffer* target, FormatCode* format,
                         const DecodeSettings& settings, LoadResults* results, std::string* error_text) {
  *format = DetectMemberFormat(block->data(), size);
  if (!HasBuiltInDecoder(*format)) return Status::kUnsupported;
  DecodeSource source;
  source.settings = settings;
  OpenMemorySource(&source, std::move(*block), size, target);
  const Status status = DecodeOpened(*format, &source, results, error_text);
  *block = std::move(source.member);
  return status;
}
