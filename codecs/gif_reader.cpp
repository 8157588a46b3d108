#include "codecs/gif_reader.h"

#include <optional>
#include <vector>

#include "codecs/gif_blocks.h"
#include "codecs/gif_frames.h"
#include "codecs/gif_lzw.h"
#include "image/page_memory.h"

namespace {

struct GifRead {
  GifCursor cursor;
  const DecodeSettings& settings;
  ImageBuffer* target;
  GifScreen screen;
  GifExtensionFindings findings;
  std::optional<GifAnimation> animation;  // set by a looping extension before the first image
  int images = 0;
  int table_bits = 0;
  bool first_interlaced = false;
  bool transparency = false;
  bool done = false;  // the still is made, or the animation may take no more frames
  std::vector<uint8_t> data;
  PageBlock indices;
};

// The image's indices, its pixels not reached by the data left 0. The
// block is no larger than a canvas, whose size was checked; it is fresh
// zeroed pages, so a short stream over a large rectangle touches only
// what it fills.
Status DecodeIndices(const GifImageDescriptor& d, GifRead* r) {
  const size_t count = size_t(d.width) * size_t(d.height);
  r->indices = PageBlock(count);
  if (!r->indices) return Status::kNoMemory;
  DecodeGifLzw(r->data.data(), r->data.size(), d.min_code_size, r->indices.data(), count);
  return Status::kOk;
}

// Both pictures are whole screens, so checking the screen's canvas first
// bounds the index block as well.
Status CheckCanvas(const GifRead& r) {
  uint32_t bytes = 0;
  const int bits = r.animation ? 24 : 8;
  return PixelBlockBytes(r.screen.width, r.screen.height, bits, &bytes) ? Status::kOk : Status::kUnsupported;
}

Status ReadImage(GifRead* r) {
  GifImageDescriptor d;
  if (Status s = ReadGifImageDescriptor(&r->cursor, r->screen, &d); s != Status::kOk) return s;
  if (Status s = GatherGifImageData(&r->cursor, GifImageDataLimit(d), &r->data); s != Status::kOk) return s;
  if (Status s = CheckCanvas(*r); s != Status::kOk) return s;
  if (Status s = DecodeIndices(d, r); s != Status::kOk) return s;
  const GifGraphicControl control = r->findings.pending;
  r->findings.pending = {};
  if (r->images++ == 0) r->first_interlaced = d.interlaced;
  r->transparency |= control.transparent;
  if (d.local.bits > r->table_bits) r->table_bits = d.local.bits;
  const GifPicture picture = {&d, r->indices.data(), d.local.present() ? &d.local : &r->screen.global, control};
  if (!r->animation) {
    r->done = true;
    return MakeGifStill(r->screen, picture, r->settings.png, r->target);
  }
  Status status = Status::kOk;
  if (!r->animation->AddFrame(picture, r->target, &status)) r->done = true;
  return status;
}

Status ReadExtension(GifRead* r) {
  const bool looping_before = r->findings.looping;
  if (Status s = ReadGifExtension(&r->cursor, &r->findings); s != Status::kOk) return s;
  if (!looping_before && r->findings.looping && r->settings.animation && r->images == 0) {
    r->animation.emplace(r->screen, GifFillColour(r->screen, r->settings.png), r->findings.loop_count);
  }
  return Status::kOk;
}

Status ReadBlocks(GifRead* r) {
  while (!r->done) {
    uint8_t introducer = 0;
    if (!r->cursor.Byte(&introducer)) return Status::kCorrupt;
    Status status = Status::kOk;
    switch (introducer) {
      case kGifExtensionIntroducer:
        status = ReadExtension(r);
        break;
      case kGifImageSeparator:
        status = ReadImage(r);
        break;
      case kGifTrailer:
        return r->animation && r->animation->frame_count() > 0 ? Status::kOk : Status::kCorrupt;
      default:
        return Status::kReadFailed;
    }
    if (status != Status::kOk) return status;
  }
  return Status::kOk;
}

// A file cut off after some whole frames keeps them, as other viewers do.
bool KeepsCutOffAnimation(const GifRead& r) {
  return r.cursor.ran_out() && r.animation && r.animation->frame_count() > 0;
}

Status Decode(const uint8_t* data, size_t size, const DecodeSettings& settings, ImageBuffer* target,
              LoadResults* results) {
  GifRead r = {GifCursor(data, data + size), settings, target, {}, {}, {}, 0, 0, false, false, false, {}, {}};
  if (Status s = ReadGifScreen(&r.cursor, &r.screen); s != Status::kOk) return s;
  r.table_bits = r.screen.global.bits;
  Status status = ReadBlocks(&r);
  if (status != Status::kOk && KeepsCutOffAnimation(r)) status = Status::kOk;
  if (status != Status::kOk) return status;
  if (r.animation) {
    for (RgbQuad& entry : target->palette) entry = {};
    r.animation->Finish(target);
  }
  target->source_bits_per_pixel = static_cast<uint32_t>(r.table_bits);
  if (results) {
    results->interlaced_or_progressive = r.first_interlaced;
    results->transparency = r.transparency;
    results->comment_count = r.findings.comment ? 1 : 0;
  }
  return Status::kOk;
}

}  // namespace

Status ReadGifBytes(const uint8_t* data, size_t size, const DecodeSettings& settings, ImageBuffer* target,
                    LoadResults* results) {
  return FinishDecode(Decode(data, size, settings, target, results), kSourceGif, size, target);
}

bool ReadGif(DecodeSource* source) {
  source->status = ReadGifBytes(source->start, source->size(), source->settings, source->target,
                                &source->results);
  return source->status == Status::kOk;
}
