#include "codecs/image_encoders.h"

#include "codecs/bmp_writer.h"
#include "codecs/output_file.h"

bool HasEncoder(int32_t save_type) { return save_type == kSaveBmp; }

Status EncodeImage(const ImageBuffer& image, const SaveOptions& options, ByteSink* out) {
  switch (options.type) {
    case kSaveBmp:
      return WriteBmp(image, options.bmp_depth, options.dither, out);
    default:
      return Status::kEncodeFailed;
  }
}

Status EncodeImageFile(const ImageBuffer& image, const SaveOptions& options,
                       const PathChar* path) {
  OutputFile file;
  if (!file.Create(path)) return Status::kCannotWrite;
  Status status = EncodeImage(image, options, &file);
  bool closed = file.Close();
  if (status == Status::kOk && !closed) status = Status::kCannotWrite;
  return status;
}
