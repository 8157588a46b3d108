#include "codecs/png_extras.h"

#include <algorithm>
#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/png_comment.h"

namespace {

// One 16-bit sample of bKGD or tRNS as an 8-bit value at this depth.
uint8_t SampleByte(const uint8_t* sample, uint8_t depth) {
  return depth == 16 ? sample[0] : sample[1];
}

// Grey levels below 8 bits stretched to the full range.
uint8_t ScaledGrey(const uint8_t* sample, uint8_t depth) {
  const uint32_t value = LoadU16Be(sample);
  switch (depth) {
    case 1: return uint8_t(std::min<uint32_t>(value * 255, 255));
    case 2: return uint8_t(std::min<uint32_t>(value * 85, 255));
    case 4: return uint8_t(std::min<uint32_t>(value * 17, 255));
    default: return SampleByte(sample, depth);
  }
}

Rgb ColourSample(const uint8_t* data, uint8_t depth) {
  return {SampleByte(data, depth), SampleByte(data + 2, depth), SampleByte(data + 4, depth)};
}

bool IsGreyType(uint8_t colour_type) {
  return colour_type == kPngGrey || colour_type == kPngGreyAlpha;
}
bool IsColourType(uint8_t colour_type) {
  return colour_type == kPngColour || colour_type == kPngColourAlpha;
}

void TakeGamma(const PngChunk& chunk, PngExtras* e) {
  const bool first = !e->gamma_seen;
  e->gamma_seen = true;
  if (chunk.length != 4 || !first || e->palette_seen || e->image_data_seen) return;
  if (!chunk.CrcMatches()) return;
  const uint32_t value = LoadU32Be(chunk.data());
  if (value >= 1 && value <= 0x7FFFFFFFu) e->gamma = value;
}

void TakeBackground(const PngChunk& chunk, const PngHeader& h, PngExtras* e) {
  const bool first = !e->background_seen;
  e->background_seen = true;
  if (!first || e->image_data_seen || !chunk.CrcMatches()) return;
  const uint8_t* d = chunk.data();
  if (IsGreyType(h.colour_type) && chunk.length == 2) {
    const uint8_t grey = ScaledGrey(d, h.depth);
    e->background = {grey, grey, grey};
  } else if (h.colour_type == kPngPalette && chunk.length == 1 && e->palette_seen) {
    const RgbQuad& entry = e->palette[d[0]];
    e->background = {entry.red, entry.green, entry.blue};
  } else if (IsColourType(h.colour_type) && chunk.length == 6) {
    e->background = ColourSample(d, h.depth);
  } else {
    return;
  }
  e->has_background = true;
}

void TakeTransparency(const PngChunk& chunk, const PngHeader& h, PngExtras* e) {
  const bool first = !e->transparency_seen;
  e->transparency_seen = true;
  if (!first || e->image_data_seen || !chunk.CrcMatches()) return;
  const uint8_t* d = chunk.data();
  if (h.colour_type == kPngGrey && chunk.length == 2) {
    e->transparent.red = SampleByte(d, h.depth);
  } else if (h.colour_type == kPngColour && chunk.length == 6) {
    e->transparent = ColourSample(d, h.depth);
  } else if (h.colour_type == kPngPalette && e->palette_seen &&
             chunk.length <= static_cast<uint32_t>(e->palette_entries)) {
    std::memset(e->palette_alpha, 255, sizeof(e->palette_alpha));
    std::memcpy(e->palette_alpha, d, chunk.length);
  } else {
    return;
  }
  e->has_transparency = true;
}

void TakeResolution(const PngChunk& chunk, PngExtras* e) {
  if (chunk.length != 9 || chunk.data()[8] != 1 || !chunk.CrcMatches()) return;
  const uint32_t x = LoadU32Be(chunk.data());
  const uint32_t y = LoadU32Be(chunk.data() + 4);
  if (x < 0x80000000u && y < 0x80000000u) {
    e->x_resolution = static_cast<int32_t>(x);
    e->y_resolution = static_cast<int32_t>(y);
  }
}

void CountText(const PngChunk& chunk, PngExtras* e) {
  if (chunk.length <= 1 || !chunk.CrcMatches()) return;
  ++e->text_chunks;
  if (HasCommentKeyword(chunk)) ++e->comments;
}

int MaxPaletteEntries(uint8_t depth) { return depth >= 8 ? 256 : 1 << depth; }

}  // namespace

Status TakePalette(const PngChunk& chunk, const PngHeader& header, PngExtras* e) {
  if (e->image_data_seen || e->palette_seen) return Status::kPngChunkOrder;
  if (!chunk.CrcMatches()) return Status::kPngBadChecksum;
  e->palette_seen = true;
  e->palette_entries = std::min<int>(static_cast<int>(chunk.length / 3), MaxPaletteEntries(header.depth));
  const uint8_t* d = chunk.data();
  for (int i = 0; i < e->palette_entries; ++i, d += 3) e->palette[i] = {d[2], d[1], d[0], 0};
  return Status::kOk;
}

void TakeAncillaryChunk(const PngChunk& chunk, const PngHeader& header, PngExtras* e) {
  switch (chunk.type) {
    case PngChunkType("gAMA"): TakeGamma(chunk, e); break;
    case PngChunkType("bKGD"): TakeBackground(chunk, header, e); break;
    case PngChunkType("tRNS"): TakeTransparency(chunk, header, e); break;
    case PngChunkType("pHYs"): TakeResolution(chunk, e); break;
    case PngChunkType("tEXt"): CountText(chunk, e); break;
    default: break;  // unknown chunks are passed over unread
  }
}
