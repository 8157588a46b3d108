// The TIFF structure inside an Exif block (the APP1 payload from "Exif"
// on), with reads and writes in the block's byte order. Offsets are from
// the TIFF header, as the file gives them; nothing is read or written
// without checking that it lies inside the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/little_endian.h"
#include "codecs/big_endian.h"
#include "codecs/jpeg_markers.h"

constexpr uint16_t kTiffTypeByte = 1;
constexpr uint16_t kTiffTypeAscii = 2;
constexpr uint16_t kTiffTypeShort = 3;
constexpr uint16_t kTiffTypeLong = 4;
constexpr uint16_t kTiffTypeRational = 5;
constexpr uint16_t kTiffTypeUndefined = 7;
constexpr uint16_t kTiffTypeSShort = 8;
constexpr uint16_t kTiffTypeSLong = 9;
constexpr uint16_t kTiffTypeSRational = 10;
constexpr size_t kTiffEntryBytes = 12;
// Values of four bytes or fewer lie in the entry itself.
constexpr size_t kTiffInlineBytes = 4;

class ExifTiff {
 public:
  ExifTiff(const uint8_t* block, size_t size) {
    static constexpr uint8_t kSignature[kExifTiffStart] = {'E', 'x', 'i', 'f', 0, 0};
    if (size < kExifTiffStart + kHeaderBytes || std::memcmp(block, kSignature, kExifTiffStart) != 0)
      return;
    data_ = const_cast<uint8_t*>(block) + kExifTiffStart;
    size_ = size - kExifTiffStart;
    little_ = data_[0] == 'I' && data_[1] == 'I';
  }

  bool present() const { return data_ != nullptr; }
  // The byte order mark is one of the two and 42 follows it.
  bool sound() const {
    return present() && data_[0] == data_[1] && (data_[0] == 'I' || data_[0] == 'M') &&
           U16(2) == kMagic;
  }
  uint32_t ifd0() const { return U32(4); }
  size_t size() const { return size_; }
  const uint8_t* bytes(size_t at) const { return data_ + at; }

  // The entries of the IFD at `ifd` that lie inside the data: an IFD whose
  // count runs past the end is read as far as whole entries go.
  size_t FittingEntries(uint32_t ifd) const {
    if (ifd < kHeaderBytes || !Fits(ifd, 2)) return 0;
    const size_t room = (size_ - ifd - 2) / kTiffEntryBytes;
    const size_t count = U16(ifd);
    return count < room ? count : room;
  }
  static size_t EntryAt(uint32_t ifd, size_t index) { return ifd + 2 + index * kTiffEntryBytes; }

  // The entry of `tag` in the IFD at `ifd`; 0 when the IFD does not hold
  // it inside the data.
  size_t Entry(uint32_t ifd, uint16_t tag) const {
    const size_t count = FittingEntries(ifd);
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = EntryAt(ifd, i);
      if (U16(entry) == tag) return entry;
    }
    return 0;
  }

  // The offset of the IFD after the one at `ifd`, 0 when there is none.
  uint32_t NextIfd(uint32_t ifd) const {
    if (!Fits(ifd, 2)) return 0;
    const size_t link = size_t{ifd} + 2 + size_t{U16(ifd)} * kTiffEntryBytes;
    return Fits(link, 4) ? U32(link) : 0;
  }

  // A SHORT or LONG entry's first value.
  bool Value(size_t entry, uint32_t* value) const {
    if (entry == 0) return false;
    const uint16_t type = U16(entry + 2);
    if (type == kTiffTypeShort)
      *value = U16(entry + 8);
    else if (type == kTiffTypeLong)
      *value = U32(entry + 8);
    else
      return false;
    return true;
  }

  void SetShort(size_t entry, uint16_t value) {
    SetU16(entry + 2, kTiffTypeShort);
    SetU32(entry + 4, 1);
    SetU16(entry + 8, value);
    SetU16(entry + 10, 0);
  }
  void SetLong(size_t entry, uint32_t value) {
    SetU16(entry + 2, kTiffTypeLong);
    SetU32(entry + 4, 1);
    SetU32(entry + 8, value);
  }

  bool Fits(size_t offset, size_t bytes) const {
    return offset <= size_ && bytes <= size_ - offset;
  }

  uint16_t U16(size_t at) const { return little_ ? LoadU16(data_ + at) : LoadU16Be(data_ + at); }
  uint32_t U32(size_t at) const { return little_ ? LoadU32(data_ + at) : LoadU32Be(data_ + at); }

 private:
  static constexpr uint16_t kMagic = 42;
  static constexpr size_t kHeaderBytes = 8;

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
