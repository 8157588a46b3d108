#include "codecs/image_encoders.h"

#include <algorithm>

#include "codecs/bmp_writer.h"
#include "codecs/gif_writer.h"
#include "codecs/jpeg_thumbnail.h"
#include "codecs/jpeg_transform.h"
#include "codecs/jpeg_writer.h"
#include "codecs/memory_sink.h"
#include "codecs/output_file.h"
#include "codecs/png_writer.h"
#include "codecs/tiff_writer.h"

namespace {

using WriteFunction = Status (*)(const ImageBuffer&, const SaveOptions&, ByteSink*,
                                 EncodeContext*);

struct Encoder {
  int32_t save_type;
  WriteFunction write;
};

Status WriteBmpAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                          EncodeContext*) {
  return WriteBmp(image, options.bmp_depth, options.dither, out);
}

Status WritePngAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                          EncodeContext*) {
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

Status WriteGifAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                          EncodeContext*) {
  const GifWriteContext c = {.bits = options.gif_depth,
                             .interlace = options.interlace,
                             .transparency = options.transparency,
                             .transparent_colour = options.transparent_colour,
                             .dither = options.dither};
  return WriteGif(image, c, out);
}

Status WriteTiffAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                           EncodeContext*) {
  const TiffWriteContext c = {.bits = options.tiff_depth,
                              .grey = options.tiff_grey,
                              .dither = options.dither,
                              .x_resolution = image.header.x_pels_per_meter,
                              .y_resolution = image.header.y_pels_per_meter};
  return WriteTiff(image, c, out);
}

JpegWriteContext JpegContextFor(const ImageBuffer& image, const SaveOptions& options,
                                const EncodeContext* context) {
  JpegWriteContext c;
  c.quality = options.jpeg_quality > 100 ? 75 : options.jpeg_quality;
  c.subsampling = options.jpeg_subsampling;
  c.greyscale = options.jpeg_greyscale;
  c.progressive = options.jpeg_progressive;
  c.x_resolution = image.header.x_pels_per_meter;
  c.y_resolution = image.header.y_pels_per_meter;
  if (options.keep_exif && context) c.exif = context->source_exif;
  if (options.comment) c.comment = options.comment_text;
  return c;
}

// The kept Exif block gets its new thumbnail before the file is written, so
// that a size limit counts it; a thumbnail that cannot be made stays as it
// was and the save goes on. Only a size-limited save goes through memory.
Status WriteJpegAsOptioned(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                           EncodeContext* context) {
  JpegWriteContext c = JpegContextFor(image, options, context);
  std::string* error_text = context ? &context->error_text : nullptr;
  if (!c.exif.empty()) ReplaceExifBlockThumbnail(&c.exif, image, c);
  if (!options.size_limit) return WriteJpeg(image, c, out, error_text);
  const uint64_t limit = uint64_t(std::max(options.size_limit_kib, int32_t{0})) * 1024;
  MemorySink encoded;
  const Status status = WriteJpegWithinLimit(image, c, static_cast<size_t>(limit), &encoded,
                                             error_text);
  if (status != Status::kOk) return status;
  return out->Write(encoded.bytes().data(), encoded.bytes().size()) ? Status::kOk
                                                                    : Status::kCannotWrite;
}

// The coded data of the source file, turned as the display was. When all
// markers go along, the Exif thumbnail is made anew from the picture shown,
// which is what the turned or greyed file now holds; a thumbnail that
// cannot be made leaves the old one.
Status WriteLosslessAsOptioned(const ImageBuffer& image, const SaveOptions& options,
                               ByteSink* out, EncodeContext* context) {
  if (!context || !context->source_jpeg) return Status::kUnsupported;
  JpegTransformOptions t;
  t.code = TransformCodeForRotationState(context->rotation_state);
  t.trim = options.lossless_trim;
  t.markers = options.lossless_markers;
  t.greyscale = options.lossless_greyscale;
  t.progressive = options.jpeg_progressive;
  MemorySink transformed;
  const Status status = TransformJpeg(context->source_jpeg, context->source_jpeg_size, t,
                                      &transformed, &context->error_text);
  if (status != Status::kOk) return status;
  std::vector<uint8_t> file = transformed.bytes();
  if (t.markers == 2 && (t.code != 0 || t.greyscale)) {
    JpegWriteContext thumbnail = JpegContextFor(image, options, nullptr);
    thumbnail.greyscale = t.greyscale;
    ReplaceExifThumbnail(&file, image, thumbnail);
  }
  return out->Write(file.data(), file.size()) ? Status::kOk : Status::kCannotWrite;
}

// Each encoder that arrives adds its row; the save dialog offers what is here.
constexpr Encoder kEncoders[] = {
    {kSaveBmp, WriteBmpAsOptioned},
    {kSavePng, WritePngAsOptioned},
    {kSaveJpeg, WriteJpegAsOptioned},
    {kSaveTiff, WriteTiffAsOptioned},
    {kSaveGif, WriteGifAsOptioned},
    {kSaveJpegLossless, WriteLosslessAsOptioned},
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

Status EncodeImage(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                   EncodeContext* context) {
  const Encoder* encoder = EncoderFor(options.type);
  return encoder ? encoder->write(image, options, out, context) : Status::kEncodeFailed;
}

Status EncodeImageFile(const ImageBuffer& image, const SaveOptions& options,
                       const PathChar* path, EncodeContext* context) {
  OutputFile file;
  if (!file.Create(path)) return Status::kCannotWrite;
  Status status = EncodeImage(image, options, &file, context);
  bool closed = file.Close();
  if (status == Status::kOk && !closed) status = Status::kCannotWrite;
  return status;
}
