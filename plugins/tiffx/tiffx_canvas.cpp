#include "plugins/tiffx/tiffx_canvas.h"

#include <algorithm>
#include <cstring>

#include "image/win_records.h"

TiffxCanvas::TiffxCanvas(const TiffxFormat& format)
    : format_(format),
      channels_(format.colour == TiffxColour::kRgb ? 3 : 1),
      stride_((uint64_t{format.width} * channels_ + 3) / 4 * 4),
      bits_(stride_ * format.height),
      alpha_(format.alpha == TiffxAlpha::kNone ? 0 : uint64_t{format.width} * format.height) {}

// Sample `index` of a row as stored: 16-bit samples in the file's order,
// smaller ones packed from the most significant bit.
uint32_t TiffxCanvas::Sample(const TiffBytes& b, const uint8_t* row, uint64_t index) const {
  const uint32_t bits = format_.bits_per_sample;
  if (bits == 16) return b.u16(row + 2 * index);
  if (bits == 8) return row[index];
  const uint64_t bit = index * bits;
  const uint32_t shift = 8 - bits - uint32_t(bit & 7);
  return (row[bit >> 3] >> shift) & ((1u << bits) - 1);
}

// 16 bits keep their high byte; grey below 8 bits is stretched to 0..255;
// palette indices stay as they are.
uint8_t TiffxCanvas::Level(uint32_t value) const {
  const uint32_t bits = format_.bits_per_sample;
  if (bits == 16) return uint8_t(value >> 8);
  if (bits == 8 || format_.colour == TiffxColour::kPalette) return uint8_t(value);
  return uint8_t(value * 255 / ((1u << bits) - 1));
}

void TiffxCanvas::Put(uint32_t x, uint32_t y, uint32_t sample, uint8_t level) {
  if (format_.alpha != TiffxAlpha::kNone && sample == format_.alpha_sample) {
    alpha_[uint64_t{y} * format_.width + x] = level;
    return;
  }
  if (sample >= channels_) return;  // samples the picture does not show
  uint8_t* pixel = bits_.data() + (format_.height - 1 - uint64_t{y}) * stride_ + uint64_t{x} * channels_;
  if (channels_ == 3) {
    pixel[2 - sample] = level;  // red, green, blue become blue, green, red
  } else {
    *pixel = format_.white_is_zero ? uint8_t(255 - level) : level;
  }
}

void TiffxCanvas::Store(const TiffBytes& b, const TiffxChunk& chunk, const uint8_t* data) {
  const uint32_t samples = format_.samples_in_chunk;
  const bool planar = format_.planes > 1;
  for (uint32_t y = 0; y < chunk.visible_rows; ++y) {
    const uint8_t* row = data + y * chunk.row_bytes;
    for (uint32_t x = 0; x < chunk.visible_width; ++x) {
      for (uint32_t s = 0; s < samples; ++s) {
        const uint8_t level = Level(Sample(b, row, uint64_t{x} * samples + s));
        Put(chunk.x + x, chunk.y + y, planar ? chunk.plane : s, level);
      }
    }
  }
}

// Unassociated alpha weighs the colour against white; associated alpha has
// the colour weighed already, so white's share is added.
void TiffxCanvas::LayOverWhite() {
  const bool associated = format_.alpha == TiffxAlpha::kAssociated;
  for (uint32_t y = 0; y < format_.height; ++y) {
    uint8_t* row = bits_.data() + (format_.height - 1 - uint64_t{y}) * stride_;
    const uint8_t* alpha = alpha_.data() + uint64_t{y} * format_.width;
    for (uint64_t i = 0; i < uint64_t{format_.width} * channels_; ++i) {
      const uint32_t a = alpha[i / channels_];
      const uint32_t c = row[i];
      row[i] = associated ? uint8_t(std::min<uint32_t>(255, c + 255 - a))
                          : uint8_t((c * a + 255 * (255 - a) + 127) / 255);
    }
  }
}

void TiffxCanvas::WriteHeader(const TiffBytes& b, std::vector<uint8_t>* info) const {
  uint32_t colours = 0;
  if (format_.colour == TiffxColour::kGrey) colours = 256;
  if (format_.colour == TiffxColour::kPalette) colours = 1u << format_.bits_per_sample;
  DibHeader header = {};
  header.size = sizeof(DibHeader);
  header.width = int32_t(format_.width);
  header.height = int32_t(format_.height);
  header.planes = 1;
  header.bit_count = uint16_t(channels_ * 8);
  header.size_image = uint32_t(bits_.size());
  header.clr_used = colours;
  info->resize(sizeof(DibHeader) + colours * sizeof(RgbQuad));
  std::memcpy(info->data(), &header, sizeof(header));
  for (uint32_t i = 0; i < colours; ++i) {
    RgbQuad q = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    if (format_.colour == TiffxColour::kPalette) {
      // Red values, then green, then blue, 16 bits each.
      q.red = uint8_t(format_.color_map.At(b, i) >> 8);
      q.green = uint8_t(format_.color_map.At(b, colours + i) >> 8);
      q.blue = uint8_t(format_.color_map.At(b, 2 * colours + i) >> 8);
    }
    std::memcpy(info->data() + sizeof(DibHeader) + i * sizeof(RgbQuad), &q, sizeof(q));
  }
}

void TiffxCanvas::Finish(const TiffBytes& b, PluginDib* out) {
  if (!alpha_.empty()) LayOverWhite();
  WriteHeader(b, &out->info);
  out->bits = std::move(bits_);
}
