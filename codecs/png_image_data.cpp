#include "codecs/png_image_data.h"

#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/png_adam7.h"

namespace {

constexpr uint64_t kMaxImageData = uint64_t{1} << 32;

// Where decoding stopped: the pass (0 without interlace) and the scanlines
// of it done.
struct Progress {
  int pass = 0;
  uint32_t rows = 0;
  bool complete = false;
};

struct Decoding {
  const PngHeader& header;
  const PngPixelRule& rule;
  PngRowConverter convert;
  ImageBuffer* target;
  size_t out_pixel_bytes;
  uint8_t* pass_pixels;  // one converted pass row, interlaced images only
};

Progress DecodePlain(const Decoding& d, PngScanlines* lines) {
  const PngHeader& h = d.header;
  const size_t row_bytes = static_cast<size_t>(h.row_bytes(static_cast<uint32_t>(h.width)));
  Progress progress;
  lines->BeginPass();
  for (; progress.rows < static_cast<uint32_t>(h.height); ++progress.rows) {
    const uint8_t* line = lines->Next(row_bytes);
    if (!line) return progress;
    d.convert(line, static_cast<uint32_t>(h.width), RowFromTop(*d.target, static_cast<int32_t>(progress.rows)),
              d.rule);
  }
  progress.complete = true;
  return progress;
}

// Pixels of a pass row go to every column_step-th place of their image row.
void Scatter(const uint8_t* pixels, const Adam7Pass& pass, size_t pixel_bytes, uint8_t* row) {
  uint8_t* out = row + pass.column_start * pixel_bytes;
  const size_t step = pass.column_step * pixel_bytes;
  if (pixel_bytes == 1) {
    for (uint32_t x = 0; x < pass.columns; ++x, out += step) *out = pixels[x];
  } else {
    for (uint32_t x = 0; x < pass.columns; ++x, out += step, pixels += 3) std::memcpy(out, pixels, 3);
  }
}

Progress DecodeInterlaced(const Decoding& d, PngScanlines* lines) {
  const PngHeader& h = d.header;
  const uint32_t width = static_cast<uint32_t>(h.width), height = static_cast<uint32_t>(h.height);
  Progress progress;
  for (; progress.pass < kAdam7Passes; ++progress.pass) {
    const Adam7Pass pass = Adam7PassOf(progress.pass, width, height);
    if (pass.empty()) continue;
    const size_t row_bytes = static_cast<size_t>(h.row_bytes(pass.columns));
    lines->BeginPass();
    for (progress.rows = 0; progress.rows < pass.rows; ++progress.rows) {
      const uint8_t* line = lines->Next(row_bytes);
      if (!line) return progress;
      d.convert(line, pass.columns, d.pass_pixels, d.rule);
      const uint32_t y = pass.row_start + progress.rows * pass.row_step;
      Scatter(d.pass_pixels, pass, d.out_pixel_bytes, RowFromTop(*d.target, static_cast<int32_t>(y)));
    }
  }
  progress.complete = true;
  return progress;
}

// What a pixel the stream never reached shows: a source pixel of zeros,
// alpha included, through the same conversion.
void PixelOfZeros(const Decoding& d, uint8_t out[3]) {
  const uint8_t zeros[8] = {};
  d.convert(zeros, 1, out, d.rule);
}

void FillRow(uint8_t* row, uint32_t from, uint32_t step, uint32_t columns, const uint8_t* pixel,
             size_t pixel_bytes) {
  for (uint32_t x = from; x < columns; x += step) std::memcpy(row + x * pixel_bytes, pixel, pixel_bytes);
}

void FillUndecoded(const Decoding& d, const Progress& progress) {
  uint8_t pixel[3] = {};
  PixelOfZeros(d, pixel);
  if (!pixel[0] && !pixel[1] && !pixel[2]) return;  // the pages are zero already
  const PngHeader& h = d.header;
  const uint32_t width = static_cast<uint32_t>(h.width), height = static_cast<uint32_t>(h.height);
  if (!h.interlaced) {
    for (uint32_t y = progress.rows; y < height; ++y) {
      FillRow(RowFromTop(*d.target, static_cast<int32_t>(y)), 0, 1, width, pixel, d.out_pixel_bytes);
    }
    return;
  }
  for (int p = progress.pass; p < kAdam7Passes; ++p) {
    const Adam7Pass pass = Adam7PassOf(p, width, height);
    for (uint32_t j = p == progress.pass ? progress.rows : 0; j < pass.rows; ++j) {
      uint8_t* row = RowFromTop(*d.target, static_cast<int32_t>(pass.row_start + j * pass.row_step));
      FillRow(row, pass.column_start, pass.column_step, width, pixel, d.out_pixel_bytes);
    }
  }
}

// All scanlines of the image with their filter type bytes.
uint64_t ScanlineBytes(const PngHeader& h) {
  const uint32_t width = static_cast<uint32_t>(h.width), height = static_cast<uint32_t>(h.height);
  if (!h.interlaced) return (h.row_bytes(width) + 1) * height;
  uint64_t total = 0;
  for (int p = 0; p < kAdam7Passes; ++p) {
    const Adam7Pass pass = Adam7PassOf(p, width, height);
    if (!pass.empty()) total += (h.row_bytes(pass.columns) + 1) * pass.rows;
  }
  return total;
}

}  // namespace

Status GatherImageData(const PngChunk& first, const uint8_t* end, std::vector<ByteSpan>* stream,
                       const uint8_t** after) {
  if (!first.CrcMatches()) return Status::kPngBadChecksum;
  stream->assign(1, ByteSpan{first.data(), first.length});
  uint64_t total = first.length;
  const uint8_t* at = first.next();
  PngChunk chunk;
  while (end - at >= 8 && LoadU32Be(at + 4) == PngChunkType("IDAT")) {
    if (ChunkAt(at, end, &chunk) != Status::kOk || !chunk.CrcMatches()) return Status::kPngBrokenImageData;
    total += chunk.length;
    if (total > kMaxImageData) return Status::kPngBrokenImageData;
    if (chunk.length) stream->push_back({chunk.data(), chunk.length});
    at = chunk.next();
  }
  *after = at;
  return Status::kOk;
}

Status DecodeImageData(std::vector<ByteSpan> stream, const PngHeader& header,
                       const PngPixelRule& rule, ImageBuffer* target) {
  const size_t out_pixel_bytes = static_cast<size_t>(header.output_bits() / 8);
  PageBlock pass_pixels;
  if (header.interlaced) {
    pass_pixels = PageBlock(static_cast<size_t>(header.width) * out_pixel_bytes);
    if (!pass_pixels) return Status::kNoMemory;
  }
  const Decoding d = {header, rule, ConverterFor(header, rule), target, out_pixel_bytes,
                      pass_pixels.data()};
  PngScanlines lines;
  const size_t widest = static_cast<size_t>(header.row_bytes(static_cast<uint32_t>(header.width)));
  if (Status s = lines.Start(std::move(stream), ScanlineBytes(header), widest, header.pixel_bytes());
      s != Status::kOk) {
    return s;
  }
  const Progress progress = header.interlaced ? DecodeInterlaced(d, &lines) : DecodePlain(d, &lines);
  if (lines.status() != Status::kOk) return lines.status();
  if (!progress.complete) FillUndecoded(d, progress);
  return Status::kOk;
}
