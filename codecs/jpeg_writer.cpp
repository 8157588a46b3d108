#include "codecs/jpeg_writer.h"

#include <algorithm>
#include <cmath>

#include "codecs/exif.h"
#include "codecs/jpeg_comment.h"
#include "codecs/jpeg_library.h"
#include "codecs/jpeg_quality.h"
#include "codecs/png_write_samples.h"

namespace {

constexpr uint64_t kLargestMemoryEncoding = uint64_t{1} << 32;
// Headers and tables, and room for a picture (noise at quality 100, say)
// that codes to more bytes than its pixels take.
constexpr uint64_t kMemoryEncodingMargin = uint64_t{1} << 16;

// Everything the guarded compression owns, made before it starts: a library
// error abandons the frames in between (codecs/jpeg_library.h).
struct CompressJob {
  // The PNG writer's colour form serves here too: the 24-bit rows, the
  // image's own or converted once from its palette.
  const PngSamples* samples = nullptr;
  const JpegWriteContext* context = nullptr;
  JpegErrorManager errors;
  JpegSinkDestination destination;
  jpeg_compress_struct info{};
  std::vector<uint8_t> exif;  // the patched copy that is written
  std::string comment;        // as stored
};

// Luma factors, horizontal x vertical, of each mode; chroma stays 1 x 1.
constexpr int kLumaSampling[3][2] = {{2, 2}, {2, 1}, {1, 1}};

void SetSampling(jpeg_compress_struct* info, int subsampling) {
  const int mode = subsampling >= 0 && subsampling <= 2 ? subsampling : 0;
  info->comp_info[0].h_samp_factor = kLumaSampling[mode][0];
  info->comp_info[0].v_samp_factor = kLumaSampling[mode][1];
}

UINT16 DotsPerInch(int32_t pixels_per_metre) {
  const long dpi = std::lround(pixels_per_metre * 0.0254);
  return static_cast<UINT16>(std::clamp(dpi, 1L, 65535L));
}

void SetParameters(jpeg_compress_struct* info, const PngSamples& samples,
                   const JpegWriteContext& c, bool writes_exif) {
  info->image_width = samples.width;
  info->image_height = samples.height;
  info->input_components = 3;
  info->in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(info);
  if (c.greyscale)
    jpeg_set_colorspace(info, JCS_GRAYSCALE);
  else
    SetSampling(info, c.subsampling);
  InstallJpegQuality(info, c.quality);
  info->optimize_coding = TRUE;
  if (c.progressive) jpeg_simple_progression(info);
  // A negative resolution (a BMP header may hold one) has no density.
  if (c.x_resolution > 0 && c.y_resolution > 0) {
    info->density_unit = 1;
    info->X_density = DotsPerInch(c.x_resolution);
    info->Y_density = DotsPerInch(c.y_resolution);
  }
  if (writes_exif) info->write_JFIF_header = FALSE;
}

void WriteMetadata(CompressJob* job) {
  if (!job->exif.empty()) {
    jpeg_write_marker(&job->info, JPEG_APP0 + 1, job->exif.data(),
                      static_cast<unsigned int>(job->exif.size()));
  }
  if (!job->comment.empty()) {
    jpeg_write_marker(&job->info, JPEG_COM,
                      reinterpret_cast<const JOCTET*>(job->comment.data()),
                      static_cast<unsigned int>(job->comment.size()));
  }
}

void Compress(void* context) {
  auto* job = static_cast<CompressJob*>(context);
  jpeg_compress_struct* info = &job->info;
  jpeg_create_compress(info);
  UseJpegSinkDestination(info, &job->destination);
  SetParameters(info, *job->samples, *job->context, !job->exif.empty());
  jpeg_start_compress(info, TRUE);
  WriteMetadata(job);
  const PngSamples& s = *job->samples;
  // The buffer's rows run bottom-up; the file's from the top.
  while (info->next_scanline < info->image_height) {
    const size_t from_bottom = s.height - 1 - info->next_scanline;
    JSAMPROW row = const_cast<JSAMPROW>(s.rows + from_bottom * s.stride);
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
}

Status CompressSamples(const PngSamples& samples, const JpegWriteContext& context, ByteSink* out,
                       std::string* error_text) {
  CompressJob job;
  job.samples = &samples;
  job.context = &context;
  job.info.err = UseJpegErrorManager(&job.errors);
  PrepareJpegSinkDestination(&job.destination, out);
  job.exif = context.exif;
  if (!job.exif.empty()) SetExifPixelSize(job.exif.data(), job.exif.size(), samples.width, samples.height);
  job.comment = StoredText(context.comment, kJpegCommentLimit);
  const bool done = RunJpegGuarded(&job.errors, Compress, &job);
  jpeg_destroy_compress(&job.info);
  if (error_text) *error_text = done ? std::string() : job.errors.text;
  if (done) return Status::kOk;
  return job.errors.library.msg_code == JERR_FILE_WRITE ? Status::kCannotWrite
                                                         : Status::kUnsupported;
}

// Room for the whole file in memory, or 0 beyond what a memory encoding may take.
size_t MemoryEncodingCapacity(const PngSamples& samples, const JpegWriteContext& context) {
  const uint64_t pixels = uint64_t{RowStride(static_cast<int32_t>(samples.width), 24)} * samples.height;
  const uint64_t needed = pixels + context.exif.size() + context.comment.size();
  if (needed > kLargestMemoryEncoding) return 0;
  const uint64_t capacity = needed + pixels / 2 + kMemoryEncodingMargin;
  return capacity > SIZE_MAX ? SIZE_MAX : static_cast<size_t>(capacity);
}

}  // namespace

Status WriteJpeg(const ImageBuffer& image, const JpegWriteContext& context, ByteSink* out,
                 std::string* error_text) {
  if (error_text) error_text->clear();
  PngSamples samples;
  if (Status s = PrepareColourSamples(image, &samples); s != Status::kOk) return s;
  return CompressSamples(samples, context, out, error_text);
}

Status WriteJpegWithinLimit(const ImageBuffer& image, JpegWriteContext context, size_t limit_bytes,
                            MemorySink* result, std::string* error_text,
                            JpegLimitSearch* search) {
  if (error_text) error_text->clear();
  PngSamples samples;
  if (Status s = PrepareColourSamples(image, &samples); s != Status::kOk) return s;
  const size_t capacity = MemoryEncodingCapacity(samples, context);
  if (capacity == 0) return Status::kCannotWrite;
  JpegLimitSearch made;
  auto encode = [&]() {
    *result = MemorySink(capacity);
    made.quality = context.quality;
    ++made.encodings;
    return CompressSamples(samples, context, result, error_text);
  };
  auto too_large = [&]() { return result->bytes().size() > limit_bytes; };

  Status status = encode();
  if (status == Status::kOk && too_large() && context.quality > 1) {
    int step = context.quality / 2;
    int last_fitting = 0;
    context.quality -= step;
    do {
      status = encode();
      if (status != Status::kOk || context.quality == 1) break;
      if (step > 1) step /= 2;
      if (too_large()) {
        context.quality -= step;
      } else {
        if (context.quality == last_fitting) break;
        last_fitting = context.quality;
        context.quality += step;
      }
    } while (context.quality > 0);
  }
  if (search) *search = made;
  return status;
}
