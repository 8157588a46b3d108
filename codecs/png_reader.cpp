#include "codecs/png_reader.h"

#include <vector>

#include "codecs/png_appearance.h"
#include "codecs/png_chunk.h"
#include "codecs/png_extras.h"
#include "codecs/png_header.h"
#include "codecs/png_image_data.h"

namespace {

struct PngRead {
  const uint8_t* end;
  const PngReadSettings& settings;
  ImageBuffer* target;
  PngHeader header;
  PngExtras extras;
};

Status ReadImageData(const PngChunk& first, PngRead* r, const uint8_t** after) {
  if (r->extras.image_data_seen) return Status::kPngChunkOrder;
  std::vector<ByteSpan> stream;
  if (Status s = GatherImageData(first, r->end, &stream, after); s != Status::kOk) return s;
  r->extras.image_data_seen = true;
  const PngAppearance look = AppearanceOf(r->header, r->extras, r->settings);
  return DecodeImageData(std::move(stream), r->header, PixelRuleOf(r->header, r->extras, look), r->target);
}

Status Finish(const PngChunk& end_chunk, PngRead* r) {
  if (!end_chunk.CrcMatches()) return Status::kPngBadChecksum;
  const PngHeader& h = r->header;
  const PngExtras& e = r->extras;
  if (!e.image_data_seen || (h.colour_type == kPngPalette && !e.palette_seen)) {
    return Status::kPngNoImageData;
  }
  if (h.output_bits() == 8) {
    FinishPalette(h, e, AppearanceOf(h, e, r->settings), r->target->palette);
  }
  r->target->header.x_pels_per_meter = e.x_resolution;
  r->target->header.y_pels_per_meter = e.y_resolution;
  return Status::kOk;
}

// The chunks behind the header, one by one, until IEND.
Status ReadChunks(const uint8_t* at, PngRead* r) {
  for (;;) {
    PngChunk chunk;
    if (Status s = ChunkAt(at, r->end, &chunk); s != Status::kOk) return s;
    const uint8_t* next = chunk.next();
    Status status = Status::kOk;
    switch (chunk.type) {
      case PngChunkType("IHDR"):
        return Status::kPngChunkOrder;
      case PngChunkType("PLTE"):
        if (r->header.colour_type == kPngPalette) status = TakePalette(chunk, r->header, &r->extras);
        break;
      case PngChunkType("IDAT"):
        status = ReadImageData(chunk, r, &next);
        break;
      case PngChunkType("IEND"):
        return Finish(chunk, r);
      default:
        TakeAncillaryChunk(chunk, r->header, &r->extras);
        break;
    }
    if (status != Status::kOk) return status;
    at = next;
  }
}

Status Decode(const uint8_t* data, size_t size, const PngReadSettings& settings, ImageBuffer* target,
              LoadResults* results) {
  PngRead r = {data + size, settings, target, {}, {}};
  if (Status s = ReadPngHeader(data, size, &r.header); s != Status::kOk) return s;
  const PngHeader& h = r.header;
  if (Status s = AllocatePixels(target, h.width, h.height, h.output_bits()); s != Status::kOk) return s;
  for (RgbQuad& entry : target->palette) entry = {};
  if (Status s = ReadChunks(data + kPngFirstChunkEnd, &r); s != Status::kOk) return s;
  target->source_bits_per_pixel = h.source_bits();
  if (results) {
    results->interlaced_or_progressive = h.interlaced;
    results->transparency = h.has_alpha() || r.extras.has_transparency;
    results->information_count = r.extras.text_chunks;
    results->comment_count = r.extras.comments;
  }
  return Status::kOk;
}

}  // namespace

Status ReadPngBytes(const uint8_t* data, size_t size, const DecodeSettings& settings,
                    ImageBuffer* target, LoadResults* results) {
  return FinishDecode(Decode(data, size, settings.png, target, results), kSourcePng, size, target);
}

bool ReadPng(DecodeSource* source) {
  source->status = ReadPngBytes(source->start, source->size(), source->settings, source->target,
                                &source->results);
  return source->status == Status::kOk;
}
