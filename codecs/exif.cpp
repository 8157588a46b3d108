#include "codecs/exif.h"

#include <cstring>

#include "app/little_endian.h"
#include "codecs/big_endian.h"
#include "codecs/jpeg_markers.h"

namespace {

constexpr uint16_t kTagOrientation = 274;
constexpr uint16_t kTagExifIfd = 34665;
constexpr uint16_t kTagPixelWidth = 40962;
constexpr uint16_t kTagPixelHeight = 40963;
constexpr uint16_t kTagThumbnailOffset = 513;
constexpr uint16_t kTagThumbnailLength = 514;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTiffMagic = 42;
constexpr size_t kTiffHeaderBytes = 8;
constexpr size_t kEntryBytes = 12;
constexpr uint8_t kExifSignature[kExifTiffStart] = {'E', 'x', 'i', 'f', 0, 0};

// The TIFF structure of a block, with the reads and writes of its byte order.
class Tiff {
 public:
  Tiff(const uint8_t* block, size_t size) {
    if (size < kExifTiffStart + kTiffHeaderBytes ||
        std::memcmp(block, kExifSignature, kExifTiffStart) != 0)
      return;
    data_ = const_cast<uint8_t*>(block) + kExifTiffStart;
    size_ = size - kExifTiffStart;
    little_ = data_[0] == 'I' && data_[1] == 'I';
  }

  bool present() const { return data_ != nullptr; }
  // The byte order mark is one of the two and 42 follows it.
  bool sound() const {
    return present() && data_[0] == data_[1] && (data_[0] == 'I' || data_[0] == 'M') &&
           U16(2) == kTiffMagic;
  }
  uint32_t ifd0() const { return U32(4); }

  // The entry of `tag` in the IFD at `ifd`; 0 when the IFD does not hold
  // it inside the data. Entries past the data are not looked at.
  size_t Entry(uint32_t ifd, uint16_t tag) const {
    const size_t count = FittingEntries(ifd);
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = ifd + 2 + i * kEntryBytes;
      if (U16(entry) == tag) return entry;
    }
    return 0;
  }

  // The offset of the IFD after the one at `ifd`, 0 when there is none.
  uint32_t NextIfd(uint32_t ifd) const {
    if (!Fits(ifd, 2)) return 0;
    const size_t link = size_t{ifd} + 2 + size_t{U16(ifd)} * kEntryBytes;
    return Fits(link, 4) ? U32(link) : 0;
  }

  // A SHORT or LONG entry's first value.
  bool Value(size_t entry, uint32_t* value) const {
    if (entry == 0) return false;
    const uint16_t type = U16(entry + 2);
    if (type == kTypeShort)
      *value = U16(entry + 8);
    else if (type == kTypeLong)
      *value = U32(entry + 8);
    else
      return false;
    return true;
  }

  void SetShort(size_t entry, uint16_t value) {
    SetU16(entry + 2, kTypeShort);
    SetU32(entry + 4, 1);
    SetU16(entry + 8, value);
    SetU16(entry + 10, 0);
  }
  void SetLong(size_t entry, uint32_t value) {
    SetU16(entry + 2, kTypeLong);
    SetU32(entry + 4, 1);
    SetU32(entry + 8, value);
  }

  bool Fits(size_t offset, size_t bytes) const {
    return offset <= size_ && bytes <= size_ - offset;
  }

 private:
  size_t FittingEntries(uint32_t ifd) const {
    if (ifd < kTiffHeaderBytes || !Fits(ifd, 2)) return 0;
    const size_t room = (size_ - ifd - 2) / kEntryBytes;
    const size_t count = U16(ifd);
    return count < room ? count : room;
  }

  uint16_t U16(size_t at) const { return little_ ? LoadU16(data_ + at) : LoadU16Be(data_ + at); }
  uint32_t U32(size_t at) const { return little_ ? LoadU32(data_ + at) : LoadU32Be(data_ + at); }
  void SetU16(size_t at, uint16_t v) {
    little_ ? StoreU16(v, data_ + at) : StoreU16Be(v, data_ + at);
  }
  void SetU32(size_t at, uint32_t v) {
    little_ ? StoreU32(v, data_ + at) : StoreU32Be(v, data_ + at);
  }

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool little_ = false;
};

}  // namespace

uint16_t ReadExifOrientation(const uint8_t* block, size_t size) {
  const Tiff tiff(block, size);
  uint32_t value = 0;
  if (!tiff.present() || !tiff.Value(tiff.Entry(tiff.ifd0(), kTagOrientation), &value))
    return kExifOrientationNormal;
  return value >= 1 && value <= 8 ? static_cast<uint16_t>(value) : kExifOrientationNormal;
}

bool ResetExifOrientation(uint8_t* block, size_t size) {
  Tiff tiff(block, size);
  if (!tiff.present()) return false;
  const size_t entry = tiff.Entry(tiff.ifd0(), kTagOrientation);
  if (entry == 0) return false;
  tiff.SetShort(entry, kExifOrientationNormal);
  return true;
}

bool SetExifPixelSize(uint8_t* block, size_t size, uint32_t width, uint32_t height) {
  Tiff tiff(block, size);
  uint32_t sub_ifd = 0;
  if (!tiff.sound() || !tiff.Value(tiff.Entry(tiff.ifd0(), kTagExifIfd), &sub_ifd) ||
      !tiff.Fits(sub_ifd, 2))
    return false;
  const size_t width_entry = tiff.Entry(sub_ifd, kTagPixelWidth);
  const size_t height_entry = tiff.Entry(sub_ifd, kTagPixelHeight);
  if (width_entry) tiff.SetLong(width_entry, width);
  if (height_entry) tiff.SetLong(height_entry, height);
  return width_entry || height_entry;
}

bool FindExifThumbnail(const uint8_t* block, size_t size, uint32_t* offset, uint32_t* length) {
  const Tiff tiff(block, size);
  if (!tiff.present()) return false;
  const uint32_t ifd1 = tiff.NextIfd(tiff.ifd0());
  if (ifd1 == 0 || !tiff.Value(tiff.Entry(ifd1, kTagThumbnailOffset), offset) ||
      !tiff.Value(tiff.Entry(ifd1, kTagThumbnailLength), length))
    return false;
  return tiff.Fits(*offset, *length);
}

bool SetExifThumbnailLength(uint8_t* block, size_t size, uint32_t length) {
  Tiff tiff(block, size);
  if (!tiff.present()) return false;
  const uint32_t ifd1 = tiff.NextIfd(tiff.ifd0());
  const size_t entry = ifd1 == 0 ? 0 : tiff.Entry(ifd1, kTagThumbnailLength);
  if (entry == 0) return false;
  tiff.SetLong(entry, length);
  return true;
}
