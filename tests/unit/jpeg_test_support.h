// JPEG marker streams and Exif blocks built byte by byte, so tests control
// every length, offset and byte order a file could hold.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class JpegStream {
 public:
  JpegStream& Soi() { return Raw({0xFF, 0xD8}); }
  JpegStream& Eoi() { return Raw({0xFF, 0xD9}); }
  // SOS with a small header, then entropy-coded bytes.
  JpegStream& Sos() {
    Segment(0xDA, Bytes{1, 1, 0, 0, 63, 0});
    return Raw({0x12, 0x34, 0xFF, 0x00, 0x56});
  }
  JpegStream& Segment(uint8_t code, const Bytes& payload) {
    const size_t length = payload.size() + 2;
    Raw({0xFF, code, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    return Raw(payload);
  }
  JpegStream& Comment(const std::string& text) {
    return Segment(0xFE, Bytes(text.begin(), text.end()));
  }
  JpegStream& Raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

struct ExifEntry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  uint32_t value;  // a SHORT value sits in the field's first two bytes
};

// An Exif block ("Exif", two zero bytes, TIFF data) with IFD0, an optional
// Exif sub-IFD (IFD0 gets its pointer tag) and an optional IFD1 followed by
// `thumbnail`.
class ExifBuilder {
 public:
  explicit ExifBuilder(bool little) : little_(little) {}
  ExifBuilder& Ifd0(std::vector<ExifEntry> e) {
    ifd0_ = std::move(e);
    return *this;
  }
  ExifBuilder& SubIfd(std::vector<ExifEntry> e) {
    sub_ = std::move(e);
    has_sub_ = true;
    return *this;
  }
  ExifBuilder& Ifd1(std::vector<ExifEntry> e, Bytes thumbnail) {
    ifd1_ = std::move(e);
    thumbnail_ = std::move(thumbnail);
    has_ifd1_ = true;
    return *this;
  }

  Bytes Build() const {
    Bytes t;
    if (little_)
      Put(&t, {'I', 'I'});
    else
      Put(&t, {'M', 'M'});
    U16(&t, 42);
    U32(&t, 8);
    std::vector<ExifEntry> ifd0 = ifd0_;
    const size_t ifd0_size = 2 + 12 * (ifd0.size() + (has_sub_ ? 1 : 0)) + 4;
    const uint32_t sub_at = static_cast<uint32_t>(8 + ifd0_size);
    if (has_sub_) ifd0.push_back({34665, 4, 1, sub_at});
    const size_t sub_size = has_sub_ ? 2 + 12 * sub_.size() + 4 : 0;
    const uint32_t ifd1_at = has_ifd1_ ? static_cast<uint32_t>(sub_at + sub_size) : 0;
    Ifd(&t, ifd0, ifd1_at);
    if (has_sub_) Ifd(&t, sub_, 0);
    if (has_ifd1_) {
      Ifd(&t, ifd1_, 0);
      Put(&t, thumbnail_);
    }
    Bytes block(6 + t.size(), 0);
    const char signature[] = "Exif";
    std::copy(signature, signature + 4, block.begin());
    std::copy(t.begin(), t.end(), block.begin() + 6);
    return block;
  }

  // Where IFD1's thumbnail starts in the TIFF data, for its offset tag.
  uint32_t ThumbnailOffset() const {
    const size_t ifd0 = 2 + 12 * (ifd0_.size() + (has_sub_ ? 1 : 0)) + 4;
    const size_t sub = has_sub_ ? 2 + 12 * sub_.size() + 4 : 0;
    return static_cast<uint32_t>(8 + ifd0 + sub + 2 + 12 * ifd1_.size() + 4);
  }

 private:
  static void Put(Bytes* b, const Bytes& more) { b->insert(b->end(), more.begin(), more.end()); }
  void U16(Bytes* b, uint16_t v) const {
    if (little_)
      Put(b, {uint8_t(v), uint8_t(v >> 8)});
    else
      Put(b, {uint8_t(v >> 8), uint8_t(v)});
  }
  void U32(Bytes* b, uint32_t v) const {
    if (little_) {
      U16(b, uint16_t(v));
      U16(b, uint16_t(v >> 16));
    } else {
      U16(b, uint16_t(v >> 16));
      U16(b, uint16_t(v));
    }
  }
  void Ifd(Bytes* b, const std::vector<ExifEntry>& entries, uint32_t next) const {
    U16(b, static_cast<uint16_t>(entries.size()));
    for (const ExifEntry& e : entries) {
      U16(b, e.tag);
      U16(b, e.type);
      U32(b, e.count);
      if (e.type == 3) {
        U16(b, uint16_t(e.value));
        U16(b, 0);
      } else
        U32(b, e.value);
    }
    U32(b, next);
  }

  bool little_;
  std::vector<ExifEntry> ifd0_, sub_, ifd1_;
  Bytes thumbnail_;
  bool has_sub_ = false, has_ifd1_ = false;
};
