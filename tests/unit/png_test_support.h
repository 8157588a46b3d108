// PNG files built chunk by chunk for the codec's tests, and the decoded
// image with its results.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/big_endian.h"
#include "codecs/png_crc.h"
#include "codecs/png_reader.h"
#include "image/image_buffer.h"

using Bytes = std::vector<uint8_t>;

inline Bytes Deflated(const Bytes& raw, int level = 6) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
  out.resize(size);
  return out;
}

inline Bytes BigEndian32(uint32_t v) { return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }
inline Bytes BigEndian16(uint32_t v) { return {uint8_t(v >> 8), uint8_t(v)}; }
inline Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class PngFile {
 public:
  PngFile() : bytes_{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'} {}

  PngFile& Chunk(const std::string& type, const Bytes& data, bool good_crc = true) {
    Bytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    uint32_t crc = PngCrc(0, body.data(), body.size());
    if (!good_crc) crc ^= 1;
    Append(BigEndian32(static_cast<uint32_t>(data.size())));
    Append(body);
    Append(BigEndian32(crc));
    return *this;
  }
  PngFile& Header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colour_type,
                  uint8_t interlace = 0) {
    return Chunk("IHDR", Joined({BigEndian32(width), BigEndian32(height),
                                 {depth, colour_type, 0, 0, interlace}}));
  }
  // The scanlines (each with its filter byte) deflated, cut into `pieces` IDATs.
  PngFile& ImageData(const Bytes& scanlines, size_t pieces = 1) {
    return CompressedData(Deflated(scanlines), pieces);
  }
  PngFile& CompressedData(const Bytes& z, size_t pieces = 1) {
    const size_t step = (z.size() + pieces - 1) / pieces;
    for (size_t at = 0; at < z.size() || at == 0; at += step) {
      Chunk("IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + step)));
      if (step == 0) break;
    }
    return *this;
  }
  PngFile& Palette(std::initializer_list<uint32_t> rgb) {
    Bytes p;
    for (uint32_t c : rgb) p.insert(p.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    return Chunk("PLTE", p);
  }
  PngFile& End() { return Chunk("IEND", {}); }
  void Append(const Bytes& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// Unfiltered scanlines: each row behind a filter type byte of 0.
inline Bytes Scanlines(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    out.push_back(0);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

struct DecodedPng {
  DecodedPng() { ResetImageBuffer(&image); }
  ~DecodedPng() { ReleasePixels(&image); }
  DecodedPng(const DecodedPng&) = delete;
  DecodedPng& operator=(const DecodedPng&) = delete;
  Status status = Status::kOk;
  ImageBuffer image{};
  LoadResults results;
};

inline void Decode(const Bytes& png, DecodedPng* out, const DecodeSettings& settings = {}) {
  out->status = ReadPngBytes(png.data(), png.size(), settings, &out->image, &out->results);
}

// A chunk of a written file, with its CRC checked by zlib's own crc32.
struct SeenChunk {
  std::string type;
  Bytes data;
  bool crc_matches = false;
};

// The chunks behind the signature, in order, as far as they fit.
inline std::vector<SeenChunk> ChunksOf(const Bytes& png) {
  std::vector<SeenChunk> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    const size_t length = LoadU32Be(&png[at]);
    if (length > png.size() - at - 12) break;
    SeenChunk c;
    c.type.assign(reinterpret_cast<const char*>(&png[at + 4]), 4);
    c.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
    const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
    c.crc_matches = crc == LoadU32Be(&png[at + 8 + length]);
    chunks.push_back(std::move(c));
    at += 12 + length;
  }
  return chunks;
}

// The types in order, separated by spaces: "IHDR IDAT IEND".
inline std::string ChunkTypes(const std::vector<SeenChunk>& chunks) {
  std::string types;
  for (const SeenChunk& c : chunks) {
    if (!types.empty()) types += ' ';
    types += c.type;
  }
  return types;
}
