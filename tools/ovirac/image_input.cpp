#include "tools/ovirac/image_input.h"

#include "codecs/bmp_reader.h"
#include "image/decode_source.h"

ImageInput ReadImageFile(const PathChar* path, ImageBuffer* image) {
  ImageInput input;
  input.format = DetectFileFormat(path);
  if (input.format != kFormatBmp) {
    input.status = input.format == kFormatCannotOpen ? Status::kReadFailed : Status::kUnsupported;
    return input;
  }
  input.decoder_available = true;
  DecodeSource source;
  if (OpenFileSource(&source, path, image)) {
    ReadBmp(&source);
    image->last_write_time = source.file.last_write_time();
  }
  input.status = source.status;
  return input;
}
