#include "app/dialog_template.h"

#include "app/little_endian.h"

namespace {

constexpr uint16_t kExtendedVersion = 1;
constexpr uint16_t kExtendedSignature = 0xFFFF;
constexpr uint32_t kStyleSetFont = 0x40;
constexpr uint16_t kOrdinalMarker = 0xFFFF;

// Header fields before the menu: dlgVer, signature, helpID, exStyle, style,
// cDlgItems, x, y, cx, cy.
constexpr size_t kStyleOffset = 12;
constexpr size_t kItemCountOffset = 16;
constexpr size_t kHeaderFixedBytes = 26;
// Font fields after the point size: weight, italic, charset.
constexpr size_t kFontFixedBytesAfterSize = 4;
// Item fields before its class: helpID, exStyle, style, x, y, cx, cy, id.
constexpr size_t kItemFixedBytes = 24;

// Walks a template front to back; any step that would leave the bytes fails
// and every later step fails too.
class TemplateCursor {
 public:
  TemplateCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }

  void Skip(size_t bytes) {
    if (ok_ && bytes <= size_ - offset_) {
      offset_ += bytes;
    } else {
      ok_ = false;
    }
  }

  uint16_t ReadU16() {
    if (!ok_ || size_ - offset_ < 2) {
      ok_ = false;
      return 0;
    }
    const uint16_t value = LoadU16(data_ + offset_);
    offset_ += 2;
    return value;
  }

  // Zero-terminated UTF-16.
  void SkipString() {
    while (ok_ && ReadU16() != 0) {
    }
  }

  // 0x0000 for none, 0xFFFF and an ordinal, or a zero-terminated string.
  void SkipStringOrOrdinal() {
    const uint16_t first = ReadU16();
    if (first == kOrdinalMarker) {
      Skip(2);
    } else if (first != 0) {
      SkipString();
    }
  }

  void AlignToDword() { Skip((4 - offset_ % 4) % 4); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

bool IsExtendedWithFont(const uint8_t* data, size_t size) {
  return size >= kHeaderFixedBytes && LoadU16(data) == kExtendedVersion &&
         LoadU16(data + 2) == kExtendedSignature &&
         (LoadU32(data + kStyleOffset) & kStyleSetFont) != 0;
}

void SkipItem(TemplateCursor* cursor) {
  cursor->AlignToDword();
  cursor->Skip(kItemFixedBytes);
  cursor->SkipStringOrOrdinal();  // class
  cursor->SkipStringOrOrdinal();  // title
  const uint16_t creation_bytes = cursor->ReadU16();
  cursor->Skip(creation_bytes);
}

// Finds where the point size lies; false when the template is not whole.
// Called only for a template that passed IsExtendedWithFont.
bool FindPointSize(const uint8_t* data, size_t size, size_t* point_size_offset) {
  TemplateCursor cursor(data, size);
  cursor.Skip(kHeaderFixedBytes);
  cursor.SkipStringOrOrdinal();  // menu
  cursor.SkipStringOrOrdinal();  // class
  cursor.SkipString();           // title
  *point_size_offset = cursor.offset();
  cursor.Skip(2 + kFontFixedBytesAfterSize);
  cursor.SkipString();  // typeface
  const uint16_t item_count = LoadU16(data + kItemCountOffset);
  for (uint16_t i = 0; i < item_count && cursor.ok(); ++i) SkipItem(&cursor);
  return cursor.ok();
}

}  // namespace

bool SetDialogTemplatePointSize(uint8_t* data, size_t size, uint16_t point_size) {
  if (data == nullptr || !IsExtendedWithFont(data, size)) return false;
  size_t offset = 0;
  if (!FindPointSize(data, size, &offset)) return false;
  StoreU16(point_size, data + offset);
  return true;
}

uint16_t DialogPointSizeForFontHeight(int32_t font_height) {
  return font_height == -14 ? 11 : 9;
}
