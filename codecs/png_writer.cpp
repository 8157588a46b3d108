#include "codecs/png_writer.h"

#include <algorithm>

#include "codecs/big_endian.h"
#include "codecs/png_chunk.h"
#include "codecs/png_chunk_writer.h"
#include "codecs/png_deflate.h"
#include "codecs/png_filtered_stream.h"
#include "codecs/png_write_samples.h"

namespace {

constexpr size_t kLongestComment = 4095;
constexpr char kCommentKeyword[] = "Comment";

struct Layout {
  uint8_t colour_type;
  int depth;
};

bool LayoutFor(const PngWriteContext& c, Layout* layout) {
  switch (c.target_bits) {
    case 24: *layout = {kPngColour, 8}; return true;
    case 8: *layout = {c.grey ? kPngGrey : kPngPalette, 8}; return true;
    case 4:
    case 2:
    case 1: *layout = {kPngPalette, c.target_bits}; return !c.grey;
    default: return false;
  }
}

Status PrepareSamples(const ImageBuffer& image, const PngWriteContext& c, const Layout& layout,
                      PngSamples* samples) {
  switch (layout.colour_type) {
    case kPngColour: return PrepareColourSamples(image, samples);
    case kPngGrey: return PrepareGreySamples(image, samples);
    default: return PreparePaletteSamples(image, layout.depth, c.dither, samples);
  }
}

// The chunks in file order; after the first refused byte nothing more is
// tried.
class ChunkWriter {
 public:
  explicit ChunkWriter(ByteSink* out) : out_(out), ok_(WritePngSignature(out)) {}
  void Chunk(const char (&type)[5], const uint8_t* data, size_t size) {
    ok_ = ok_ && WritePngChunk(out_, PngChunkType(type), data, size);
  }
  void ImageData(const uint8_t* data, size_t size) {
    ok_ = ok_ && WriteImageDataChunks(out_, data, size);
  }
  bool ok() const { return ok_; }

 private:
  ByteSink* out_;
  bool ok_;
};

void WriteHeader(const PngSamples& s, bool interlace, ChunkWriter* w) {
  uint8_t data[13];
  StoreU32Be(s.width, data);
  StoreU32Be(s.height, data + 4);
  data[8] = s.depth;
  data[9] = s.colour_type;
  data[10] = 0;  // deflate
  data[11] = 0;  // the five standard filters
  data[12] = interlace ? 1 : 0;
  w->Chunk("IHDR", data, sizeof(data));
}

// round(100000000 / gamma): the file stores 1 / gamma x 100000. A gamma so
// large that this rounds to 0 has no valid gAMA and is left out.
void WriteGamma(int32_t gamma, ChunkWriter* w) {
  if (gamma <= 0) return;
  const uint64_t g = static_cast<uint64_t>(gamma);
  const uint32_t stored = static_cast<uint32_t>((200000000u + g) / (2 * g));
  if (stored == 0) return;
  uint8_t data[4];
  StoreU32Be(stored, data);
  w->Chunk("gAMA", data, sizeof(data));
}

// A negative resolution (a BMP header can hold one) has no PNG form.
void WriteResolution(int32_t x, int32_t y, ChunkWriter* w) {
  if (x <= 0 || y <= 0) return;
  uint8_t data[9];
  StoreU32Be(static_cast<uint32_t>(x), data);
  StoreU32Be(static_cast<uint32_t>(y), data + 4);
  data[8] = 1;  // metre
  w->Chunk("pHYs", data, sizeof(data));
}

void WritePalette(const PngPalette& palette, ChunkWriter* w) {
  uint8_t data[3 * 256];
  for (int i = 0; i < palette.count; ++i) {
    data[3 * i] = palette.entries[i].red;
    data[3 * i + 1] = palette.entries[i].green;
    data[3 * i + 2] = palette.entries[i].blue;
  }
  w->Chunk("PLTE", data, 3 * static_cast<size_t>(palette.count));
}

// tRNS and bKGD both name the transparent colour: as an entry of the
// palette, one grey sample or three colour samples, 16 bits each.
void WriteTransparency(const PngSamples& s, uint32_t colour, ChunkWriter* w) {
  const uint8_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  if (s.colour_type == kPngPalette) {
    const int index = TransparentIndex(s.palette, red, green, blue);
    uint8_t alpha[256];
    std::fill(alpha, alpha + index, uint8_t{255});
    alpha[index] = 0;
    w->Chunk("tRNS", alpha, static_cast<size_t>(index) + 1);
    const uint8_t entry = static_cast<uint8_t>(index);
    w->Chunk("bKGD", &entry, 1);
    return;
  }
  uint8_t samples[6] = {0, red, 0, green, 0, blue};
  size_t size = sizeof(samples);
  if (s.colour_type == kPngGrey) {
    samples[1] = static_cast<uint8_t>((299 * red + 587 * green + 114 * blue) / 1000);
    size = 2;
  }
  w->Chunk("tRNS", samples, size);
  w->Chunk("bKGD", samples, size);
}

// The keyword, a zero byte and the text without its carriage returns.
void WriteComment(const std::string& comment, ChunkWriter* w) {
  std::string data(kCommentKeyword, sizeof(kCommentKeyword));
  const size_t text_start = data.size();
  for (char c : comment) {
    if (c != '\r' && data.size() - text_start < kLongestComment) data += c;
  }
  if (data.size() == text_start) return;
  w->Chunk("tEXt", reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

struct CompressedImage {
  PageBlock block;
  size_t size = 0;
};

Status Compress(const PngSamples& samples, const PngWriteContext& c, CompressedImage* image) {
  const bool palette = samples.colour_type == kPngPalette;
  PageBlock stream;
  size_t stream_size = 0;
  const Status status =
      FilterScanlines(samples, c.interlace, palette ? 1 : c.filter_mode, &stream, &stream_size);
  if (status != Status::kOk) return status;
  return DeflateImageData(stream.data(), stream_size, std::clamp(c.compression_level, 0, 9),
                          !palette, &image->block, &image->size);
}

}  // namespace

Status WritePng(const ImageBuffer& image, const PngWriteContext& c, ByteSink* out) {
  const DibHeader& h = image.header;
  if (h.width > kPngWidestWrite) return Status::kCannotWrite;
  Layout layout;
  if (!image.pixels || (h.bit_count != 8 && h.bit_count != 24) || h.width <= 0 || h.height <= 0 ||
      !LayoutFor(c, &layout)) {
    return Status::kEncodeFailed;
  }
  PngSamples samples;
  if (Status s = PrepareSamples(image, c, layout, &samples); s != Status::kOk) return s;
  CompressedImage compressed;
  if (Status s = Compress(samples, c, &compressed); s != Status::kOk) return s;

  ChunkWriter w(out);
  WriteHeader(samples, c.interlace, &w);
  WriteGamma(c.gamma, &w);
  WriteResolution(c.x_resolution, c.y_resolution, &w);
  if (layout.colour_type == kPngPalette) WritePalette(samples.palette, &w);
  if (c.transparency) WriteTransparency(samples, c.transparent_colour, &w);
  w.ImageData(compressed.block.data(), compressed.size);
  WriteComment(c.comment, &w);
  w.Chunk("IEND", nullptr, 0);
  return w.ok() ? Status::kOk : Status::kCannotWrite;
}
