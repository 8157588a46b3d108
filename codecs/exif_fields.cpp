#include "codecs/exif_fields.h"

namespace {

constexpr uint16_t kTagExifIfd = 34665;

size_t TypeBytes(uint16_t type) {
  switch (type) {
    case kTiffTypeByte:
    case kTiffTypeAscii:
    case kTiffTypeUndefined:
      return 1;
    case kTiffTypeShort:
    case kTiffTypeSShort:
      return 2;
    case kTiffTypeLong:
    case kTiffTypeSLong:
      return 4;
    case kTiffTypeRational:
    case kTiffTypeSRational:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

ExifFields::ExifFields(const ExifTiff& tiff) : tiff_(tiff) {
  if (!tiff.present()) return;
  const uint32_t ifd0 = tiff.ifd0();
  Collect(ifd0);
  ifd1_ = tiff.NextIfd(ifd0);
  uint32_t sub_ifd = 0;
  const auto sub = entries_.find(kTagExifIfd);
  if (sub != entries_.end() && tiff.Value(sub->second, &sub_ifd)) Collect(sub_ifd);
}

void ExifFields::Collect(uint32_t ifd) {
  const size_t count = tiff_.FittingEntries(ifd);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = ExifTiff::EntryAt(ifd, i);
    entries_.emplace(tiff_.U16(entry), entry);
  }
}

bool ExifFields::Locate(uint16_t tag, uint16_t* type, uint32_t* count, size_t* at) const {
  const auto found = entries_.find(tag);
  if (found == entries_.end()) return false;
  const size_t entry = found->second;
  *type = tiff_.U16(entry + 2);
  *count = tiff_.U32(entry + 4);
  const size_t unit = TypeBytes(*type);
  if (unit == 0 || *count > tiff_.size() / unit) return false;
  const size_t bytes = unit * *count;
  *at = bytes <= kTiffInlineBytes ? entry + 8 : tiff_.U32(entry + 8);
  return tiff_.Fits(*at, bytes);
}

uint32_t ExifFields::Count(uint16_t tag) const {
  uint16_t type = 0;
  uint32_t count = 0;
  size_t at = 0;
  return Locate(tag, &type, &count, &at) ? count : 0;
}

const uint8_t* ExifFields::Bytes(uint16_t tag, size_t* count) const {
  uint16_t type = 0;
  uint32_t values = 0;
  size_t at = 0;
  if (!Locate(tag, &type, &values, &at)) return nullptr;
  *count = TypeBytes(type) * values;
  return tiff_.bytes(at);
}

std::optional<std::string> ExifFields::Text(uint16_t tag) const {
  uint16_t type = 0;
  uint32_t count = 0;
  size_t at = 0;
  if (!Locate(tag, &type, &count, &at) || (type != kTiffTypeAscii && type != kTiffTypeUndefined))
    return std::nullopt;
  const char* text = reinterpret_cast<const char*>(tiff_.bytes(at));
  size_t length = 0;
  while (length < count && length < kExifTextLimit && text[length] != 0) ++length;
  return std::string(text, length);
}

std::optional<uint32_t> ExifFields::Unsigned(uint16_t tag, size_t index) const {
  uint16_t type = 0;
  uint32_t count = 0;
  size_t at = 0;
  if (!Locate(tag, &type, &count, &at) || index >= count) return std::nullopt;
  switch (type) {
    case kTiffTypeByte:
    case kTiffTypeUndefined:
      return *tiff_.bytes(at + index);
    case kTiffTypeShort:
      return tiff_.U16(at + 2 * index);
    case kTiffTypeLong:
      return tiff_.U32(at + 4 * index);
    default:
      return std::nullopt;
  }
}

std::optional<ExifRational> ExifFields::Rational(uint16_t tag, size_t index) const {
  uint16_t type = 0;
  uint32_t count = 0;
  size_t at = 0;
  if (!Locate(tag, &type, &count, &at) || index >= count ||
      (type != kTiffTypeRational && type != kTiffTypeSRational))
    return std::nullopt;
  const uint32_t numerator = tiff_.U32(at + 8 * index);
  const uint32_t denominator = tiff_.U32(at + 8 * index + 4);
  ExifRational r = {numerator, denominator};
  if (type == kTiffTypeSRational)
    r = {static_cast<int32_t>(numerator), static_cast<int32_t>(denominator)};
  if (r.denominator == 0) return std::nullopt;
  return r;
}
