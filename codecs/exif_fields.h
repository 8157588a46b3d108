// The entries of an Exif block's IFD0 and Exif sub-IFD, looked up by tag,
// with typed reads of their values. A value is only read when its whole
// extent lies inside the block; a read that fails says so rather than
// guessing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "codecs/exif_tiff.h"

struct ExifRational {
  int64_t numerator = 0;
  int64_t denominator = 0;
  double value() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
};

// The longest text value read; longer ones are cut there.
constexpr size_t kExifTextLimit = 259;

class ExifFields {
 public:
  // Collects IFD0 and the sub-IFD its tag 34665 points to; a tag met twice
  // keeps its first entry.
  explicit ExifFields(const ExifTiff& tiff);

  bool Has(uint16_t tag) const { return entries_.count(tag) != 0; }
  // ASCII or UNDEFINED bytes up to the first zero byte, at most
  // kExifTextLimit of them, in the ANSI code page.
  std::optional<std::string> Text(uint16_t tag) const;
  // A BYTE, UNDEFINED, SHORT or LONG value (signed ones are refused).
  std::optional<uint32_t> Unsigned(uint16_t tag, size_t index = 0) const;
  // A RATIONAL or SRATIONAL value, its denominator not 0.
  std::optional<ExifRational> Rational(uint16_t tag, size_t index = 0) const;
  // The raw bytes of a value and their count.
  const uint8_t* Bytes(uint16_t tag, size_t* count) const;
  // The number of values the entry declares.
  uint32_t Count(uint16_t tag) const;
  // The offset of IFD1 as IFD0's link gives it; 0 when there is none.
  uint32_t ifd1() const { return ifd1_; }

 private:
  void Collect(uint32_t ifd);
  // The entry of `tag`, its type and where its values lie; false when the
  // values run past the block.
  bool Locate(uint16_t tag, uint16_t* type, uint32_t* count, size_t* at) const;

  const ExifTiff& tiff_;
  std::map<uint16_t, size_t> entries_;  // tag to entry offset
  uint32_t ifd1_ = 0;
};
