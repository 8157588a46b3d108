// Our JPEG files read back through the library directly: the frame and
// JFIF fields, the quantisation tables and the pixels, and the order of the
// marker segments before the image data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/jpeg_library.h"
#include "codecs/jpeg_markers.h"

struct DecodedJpeg {
  bool ok = false;
  std::string error;
  int width = 0, height = 0, components = 0;
  int h_sampling[3] = {}, v_sampling[3] = {};
  bool progressive = false;
  bool jfif = false;
  int density_unit = 0, x_density = 0, y_density = 0;
  unsigned quant[2][64] = {};  // natural order; table 1 zero for greyscale
  std::vector<uint8_t> pixels;  // components bytes per pixel, top row first
};

namespace jpeg_decode_detail {

struct Job {
  const std::vector<uint8_t>* file;
  DecodedJpeg* out;
  jpeg_decompress_struct info{};
  JpegErrorManager errors;
};

inline void Decode(void* context) {
  auto* job = static_cast<Job*>(context);
  jpeg_decompress_struct* info = &job->info;
  DecodedJpeg* out = job->out;
  jpeg_create_decompress(info);
  UseJpegMemorySource(info, job->file->data(), job->file->size());
  jpeg_read_header(info, TRUE);
  out->width = static_cast<int>(info->image_width);
  out->height = static_cast<int>(info->image_height);
  out->components = info->num_components;
  for (int i = 0; i < info->num_components && i < 3; ++i) {
    out->h_sampling[i] = info->comp_info[i].h_samp_factor;
    out->v_sampling[i] = info->comp_info[i].v_samp_factor;
  }
  out->progressive = info->progressive_mode;
  out->jfif = info->saw_JFIF_marker;
  out->density_unit = info->density_unit;
  out->x_density = info->X_density;
  out->y_density = info->Y_density;
  for (int t = 0; t < 2; ++t) {
    if (!info->quant_tbl_ptrs[t]) continue;
    for (int i = 0; i < 64; ++i) out->quant[t][i] = info->quant_tbl_ptrs[t]->quantval[i];
  }
  jpeg_start_decompress(info);
  const size_t row_bytes = size_t(info->output_width) * size_t(info->output_components);
  out->pixels.resize(row_bytes * info->output_height);
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = out->pixels.data() + row_bytes * info->output_scanline;
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
}

class SegmentCodes final : public JpegMarkerHandler {
 public:
  bool OnExif(const ExifSegment& e) override { return Add(e.segment); }
  bool OnComment(const JpegSegment& s) override { return Add(s); }
  bool OnOtherSegment(const JpegSegment& s) override { return Add(s); }
  std::vector<JpegSegment> segments;

 private:
  bool Add(const JpegSegment& s) {
    segments.push_back(s);
    return false;
  }
};

}  // namespace jpeg_decode_detail

inline DecodedJpeg DecodeJpeg(const std::vector<uint8_t>& file) {
  DecodedJpeg out;
  jpeg_decode_detail::Job job{&file, &out};
  job.info.err = UseJpegErrorManager(&job.errors);
  out.ok = RunJpegGuarded(&job.errors, jpeg_decode_detail::Decode, &job);
  out.error = job.errors.text;
  jpeg_destroy_decompress(&job.info);
  return out;
}

// The segments with a length before the image data, in file order.
inline std::vector<JpegSegment> JpegSegments(const std::vector<uint8_t>& file) {
  jpeg_decode_detail::SegmentCodes codes;
  ScanJpegMarkers(file.data(), file.size(), &codes);
  return codes.segments;
}

inline std::vector<uint8_t> SegmentPayload(const JpegSegment& s) {
  return std::vector<uint8_t>(s.payload, s.payload + s.payload_size);
}
