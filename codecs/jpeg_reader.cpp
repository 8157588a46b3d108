#include "codecs/jpeg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "codecs/exif.h"
#include "codecs/jpeg_library.h"
#include "codecs/jpeg_markers.h"

namespace {

// Our own message for the library's error exit, after the library's table.
constexpr int kTooManyScansMessage = 1000;
const char* const kReaderMessages[] = {"Too many scans in the JPEG file (more than %d)", nullptr};

// More rows than the library hands out in one call (its row group is at
// most 4 rows high); each call fills as many as it has ready.
constexpr JDIMENSION kRowsPerRead = 16;

// Adobe applications store CMYK inverted, so each stored value is the
// amount of light the ink lets through: a colour channel is the product of
// its own value and black's, as x * k / 255 rounded down.
class CmykProducts {
 public:
  CmykProducts() {
    for (int x = 0; x < 256; ++x) {
      for (int k = 0; k < 256; ++k) table_[x << 8 | k] = static_cast<uint8_t>(x * k / 255);
    }
  }
  uint8_t operator()(uint8_t x, uint8_t k) const { return table_[x << 8 | k]; }

 private:
  uint8_t table_[256 * 256];
};

const CmykProducts& Products() {
  static const CmykProducts products;
  return products;
}

void CmykToBgr(const JSAMPLE* cmyk, uint8_t* bgr, JDIMENSION width) {
  const CmykProducts& product = Products();
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const uint8_t k = cmyk[3];
    bgr[0] = product(cmyk[2], k);
    bgr[1] = product(cmyk[1], k);
    bgr[2] = product(cmyk[0], k);
  }
}

// Everything the guarded work touches; it lives outside the work, so an
// error exit abandons nothing that owns memory.
struct JpegRead {
  jpeg_decompress_struct info{};
  JpegErrorManager errors;
  jpeg_progress_mgr progress{};
  const uint8_t* data = nullptr;
  size_t size = 0;
  ImageBuffer* target = nullptr;
  Status status = Status::kOk;  // a refusal of ours, made inside the work
  bool rows_done = false;       // every row is in the target
  bool progressive = false;
};

// Called before each piece of input a multi-scan file is read in.
void LimitScans(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number > kJpegScanLimit) ERREXIT1(info, kTooManyScansMessage, kJpegScanLimit);
}

// Rows come out in the byte order of the buffer: blue, green, red for
// colour, one grey byte, or CMYK to be multiplied out.
bool ChooseOutput(j_decompress_ptr info) {
  switch (info->num_components) {
    case 1:
      info->out_color_space = JCS_GRAYSCALE;
      return true;
    case 3:
      info->out_color_space = JCS_EXT_BGR;
      return true;
    case 4:
      info->out_color_space = JCS_CMYK;
      return true;
    default:
      return false;
  }
}

// Grey and colour rows land straight in the bottom-up buffer; CMYK rows
// pass through a row of the library's own memory.
void ReadRows(JpegRead* r) {
  jpeg_decompress_struct& info = r->info;
  const bool cmyk = info.out_color_components == 4;
  const JDIMENSION per_read =
      cmyk ? std::min<JDIMENSION>(kRowsPerRead, std::max(info.rec_outbuf_height, 1)) : kRowsPerRead;
  JSAMPARRAY cmyk_rows =
      cmyk ? info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                    info.output_width * 4, per_read)
           : nullptr;
  JSAMPROW rows[kRowsPerRead];
  while (info.output_scanline < info.output_height) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION wanted = std::min(per_read, info.output_height - first);
    for (JDIMENSION i = 0; i < wanted; ++i) {
      rows[i] = cmyk ? cmyk_rows[i] : RowFromTop(*r->target, static_cast<int32_t>(first + i));
    }
    const JDIMENSION got = jpeg_read_scanlines(&info, rows, wanted);
    if (got == 0) return;  // only a suspending source returns nothing, and ours never does
    for (JDIMENSION i = 0; cmyk && i < got; ++i) {
      CmykToBgr(cmyk_rows[i], RowFromTop(*r->target, static_cast<int32_t>(first + i)), info.output_width);
    }
  }
  r->rows_done = true;
}

int32_t PixelsPerMetre(uint8_t unit, uint16_t density) {
  if (unit == 1) return static_cast<int32_t>(std::lround(density / 0.0254));
  if (unit == 2) return int32_t{density} * 100;
  return 0;
}

// Taken when the pixels are allocated: markers read later (behind the image
// data of a damaged file) must not change what the rows were read as.
void TakeProperties(const jpeg_decompress_struct& info, ImageBuffer* target) {
  target->header.x_pels_per_meter = PixelsPerMetre(info.density_unit, info.X_density);
  target->header.y_pels_per_meter = PixelsPerMetre(info.density_unit, info.Y_density);
  target->source_bits_per_pixel = info.num_components == 1 ? 8 : 24;
  if (info.num_components != 1) return;
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    target->palette[i] = {v, v, v, 0};
  }
}

void DecodeWork(void* context) {
  auto* r = static_cast<JpegRead*>(context);
  jpeg_decompress_struct& info = r->info;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = static_cast<long>(kJpegLibraryMemoryLimit);
  info.progress = &r->progress;
  UseJpegMemorySource(&info, r->data, r->size);
  jpeg_read_header(&info, TRUE);
  if (!ChooseOutput(&info)) {
    r->status = Status::kUnsupported;
    return;
  }
  // The size is known before the library starts working, so a picture we
  // cannot store is refused before any of its scans is read.
  jpeg_calc_output_dimensions(&info);
  r->status = AllocatePixels(r->target, static_cast<int32_t>(info.output_width),
                             static_cast<int32_t>(info.output_height), info.num_components == 1 ? 8 : 24);
  if (r->status != Status::kOk) return;
  TakeProperties(info, r->target);
  r->progressive = info.progressive_mode;
  jpeg_start_decompress(&info);
  ReadRows(r);
  jpeg_finish_decompress(&info);
}

// The end of the data was reached (the source handed out its fake end).
bool RanOut(const JpegRead& r) {
  const auto at = reinterpret_cast<uintptr_t>(r.info.src ? r.info.src->next_input_byte : r.data);
  const auto start = reinterpret_cast<uintptr_t>(r.data);
  return at < start || at > start + r.size || (r.info.src && r.info.src->bytes_in_buffer == 0);
}

Status StatusOfLibraryError(const JpegRead& r) {
  switch (r.errors.library.msg_code) {
    case JERR_OUT_OF_MEMORY:
      return Status::kNoMemory;
    case JERR_NO_BACKING_STORE:  // over our memory limit
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
    case JERR_EMPTY_IMAGE:
      return Status::kUnsupported;
    default:
      return RanOut(r) ? Status::kReadFailed : Status::kCorrupt;
  }
}

// The Exif block and the comments, as found before the image data; a broken
// segment ends the count without touching the decoded picture.
class MarkerCounts final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& exif) override {
    if (!exif_seen_) orientation = ReadExifOrientation(exif.segment.payload, exif.segment.payload_size);
    exif_seen_ = true;
    return false;
  }
  bool OnComment(const JpegSegment&) override {
    ++comments;
    return false;
  }
  int comments = 0;
  uint16_t orientation = kExifOrientationNormal;

 private:
  bool exif_seen_ = false;
};

void CountMarkers(const uint8_t* data, size_t size, bool progressive, LoadResults* results) {
  MarkerCounts counts;
  const JpegMarkerScan scan = ScanJpegMarkers(data, size, &counts);
  *results = {};
  results->interlaced_or_progressive = progressive;
  results->information_count = scan.exif_found ? 1 : 0;
  results->comment_count = counts.comments;
  results->exif_orientation = counts.orientation;
}

Status Decode(const uint8_t* data, size_t size, ImageBuffer* target, LoadResults* results,
              std::string* error_text) {
  JpegRead r;
  r.data = data;
  r.size = size;
  r.target = target;
  r.info.err = UseJpegErrorManager(&r.errors);
  r.errors.library.addon_message_table = kReaderMessages;
  r.errors.library.first_addon_message = kTooManyScansMessage;
  r.errors.library.last_addon_message = kTooManyScansMessage;
  r.progress.progress_monitor = LimitScans;
  // An error raised once every row is in (by a stray marker behind the
  // image data) loses nothing: the picture stands.
  const bool finished = RunJpegGuarded(&r.errors, DecodeWork, &r);
  const Status status = finished || r.rows_done ? r.status : StatusOfLibraryError(r);
  if (error_text) *error_text = status == Status::kOk ? std::string() : r.errors.text;
  jpeg_destroy_decompress(&r.info);
  if (status == Status::kOk && results) CountMarkers(data, size, r.progressive, results);
  return status;
}

}  // namespace

Status ReadJpegBytes(const uint8_t* data, size_t size, ImageBuffer* target, LoadResults* results,
                     std::string* error_text) {
  return FinishDecode(Decode(data, size, target, results, error_text), kSourceJpeg, size, target);
}

bool ReadJpeg(DecodeSource* source) {
  source->status = ReadJpegBytes(source->start, source->size(), source->target, &source->results,
                                 &source->error_text);
  return source->status == Status::kOk;
}
