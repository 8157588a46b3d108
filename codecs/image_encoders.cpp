#include "codecs/image_encoders.h"

#include "codecs/bmp_writer.h"
#include "codecs/output_file.h"
#include "codecs/png_writer.h"

namespace {

using WriteFunction = Status (*)(const ImageBuffer&, const SaveOptions&, ByteSink*);

struct Encoder {
  int32_t save_type;
  WriteFunction write;
};

Status WriteBmpAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out) {
  return WriteBmp(image, options.bmp_depth, options.dither, out);
}

Status WritePngAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out) {
  PngWriteContext c;
  c.target_bits = options.png_depth;
  c.grey = options.png_grey;
  c.dither = options.dither;
  c.interlace = options.interlace;
  c.compression_level = options.compression_level;
  c.filter_mode = options.filter_mode;
  c.transparency = options.transparency;
  c.transparent_colour = options.transparent_colour;
  c.gamma = options.gamma;
  c.x_resolution = image.header.x_pels_per_meter;
  c.y_resolution = image.header.y_pels_per_meter;
  if (options.comment) c.comment = options.comment_text;
  return WritePng(image, c, out);
}

// Each encoder that arrives adds its row; the save dialog offers what is here.
constexpr Encoder kEncoders[] = {
    {kSaveBmp, WriteBmpAsOptioned},
    {kSavePng, WritePngAsOptioned},
};

const Encoder* EncoderFor(int32_t save_type) {
  for (const Encoder& encoder : kEncoders) {
    if (encoder.save_type == save_type) return &encoder;
  }
  return nullptr;
}

}  // namespace

bool HasEncoder(int32_t save_type) { return EncoderFor(save_type) != nullptr; }

std::vector<int32_t> OfferedSaveTypes(bool from_jpeg) {
  std::vector<int32_t> offered;
  for (int32_t type = kSaveBmp; type <= kSaveJpegLossless; ++type) {
    if (type == kSaveJpegLossless && !from_jpeg) continue;
    if (HasEncoder(type)) offered.push_back(type);
  }
  return offered;
}

Status EncodeImage(const ImageBuffer& image, const SaveOptions& options, ByteSink* out) {
  const Encoder* encoder = EncoderFor(options.type);
  return encoder ? encoder->write(image, options, out) : Status::kEncodeFailed;
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
