// TIFF files built entry by entry for the reader's tests, in either byte
// order: the header, one directory whose entries point at values placed
// behind it, and the strips last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tiff_test {

using Bytes = std::vector<uint8_t>;

// Field types.
enum : uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

class TiffBuilder {
 public:
  explicit TiffBuilder(bool big_endian = false) : big_(big_endian) {}

  // A SHORT or LONG entry with its values inline or behind the directory.
  TiffBuilder& Values(uint16_t tag, uint16_t type, const std::vector<uint32_t>& values) {
    Bytes data;
    for (uint32_t v : values) Put(&data, v, type == kShort ? 2 : 4);
    return Raw(tag, type, uint32_t(values.size()), data);
  }
  TiffBuilder& Short(uint16_t tag, uint32_t value) { return Values(tag, kShort, {value}); }
  TiffBuilder& Long(uint16_t tag, uint32_t value) { return Values(tag, kLong, {value}); }
  TiffBuilder& Rational(uint16_t tag, uint32_t numerator, uint32_t denominator) {
    Bytes data;
    Put(&data, numerator, 4);
    Put(&data, denominator, 4);
    return Raw(tag, kRational, 1, data);
  }
  TiffBuilder& Text(uint16_t tag, const std::string& text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    return Raw(tag, kAscii, uint32_t(data.size()), data);
  }
  // Any entry: `data` is the values as stored, inline when 4 bytes or less.
  TiffBuilder& Raw(uint16_t tag, uint16_t type, uint32_t count, const Bytes& data) {
    entries_.push_back({tag, type, count, data, false});
    return *this;
  }
  // StripOffsets pointing at these strips (placed last, in order) and
  // StripByteCounts of their lengths.
  TiffBuilder& Strips(const std::vector<Bytes>& strips, uint16_t type = kLong) {
    strips_ = strips;
    std::vector<uint32_t> counts;
    for (const Bytes& s : strips) counts.push_back(uint32_t(s.size()));
    entries_.push_back({273, type, uint32_t(strips.size()), Bytes(strips.size() * (type == kShort ? 2 : 4)), true});
    return Values(279, type, counts);
  }

  Bytes Build() const {
    Bytes out = {uint8_t(big_ ? 'M' : 'I'), uint8_t(big_ ? 'M' : 'I')};
    Put(&out, 42, 2);
    Put(&out, 8, 4);
    const size_t directory_end = 8 + 2 + entries_.size() * 12 + 4;
    size_t behind = directory_end;
    std::vector<size_t> value_at;
    for (const Entry& e : entries_) {
      value_at.push_back(e.data.size() > 4 ? behind : 0);
      if (e.data.size() > 4) behind += e.data.size();
    }
    size_t strip_at = behind;
    Put(&out, uint32_t(entries_.size()), 2);
    Bytes tail;
    for (size_t i = 0; i < entries_.size(); ++i) {
      const Entry& e = entries_[i];
      Bytes data = e.data;
      if (e.strip_offsets) data = StripOffsets(strip_at, e.type);
      Put(&out, e.tag, 2);
      Put(&out, e.type, 2);
      Put(&out, e.count, 4);
      if (data.size() > 4) {
        Put(&out, uint32_t(value_at[i]), 4);
        tail.insert(tail.end(), data.begin(), data.end());
      } else {
        data.resize(4);
        out.insert(out.end(), data.begin(), data.end());
      }
    }
    Put(&out, 0, 4);
    out.insert(out.end(), tail.begin(), tail.end());
    for (const Bytes& s : strips_) out.insert(out.end(), s.begin(), s.end());
    return out;
  }

  // Puts a value in the file's byte order.
  void Put(Bytes* out, uint32_t value, int bytes) const {
    for (int i = 0; i < bytes; ++i) {
      const int shift = big_ ? 8 * (bytes - 1 - i) : 8 * i;
      out->push_back(uint8_t(value >> shift));
    }
  }

 private:
  struct Entry {
    uint16_t tag, type;
    uint32_t count;
    Bytes data;
    bool strip_offsets;
  };

  Bytes StripOffsets(size_t at, uint16_t type) const {
    Bytes data;
    for (const Bytes& s : strips_) {
      Put(&data, uint32_t(at), type == kShort ? 2 : 4);
      at += s.size();
    }
    return data;
  }

  bool big_;
  std::vector<Entry> entries_;
  std::vector<Bytes> strips_;
};

}  // namespace tiff_test
