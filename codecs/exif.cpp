#include "codecs/exif.h"

#include "codecs/exif_tiff.h"

namespace {

constexpr uint16_t kTagOrientation = 274;
constexpr uint16_t kTagExifIfd = 34665;
constexpr uint16_t kTagPixelWidth = 40962;
constexpr uint16_t kTagPixelHeight = 40963;
constexpr uint16_t kTagThumbnailOffset = 513;
constexpr uint16_t kTagThumbnailLength = 514;

}  // namespace

uint16_t ReadExifOrientation(const uint8_t* block, size_t size) {
  const ExifTiff tiff(block, size);
  uint32_t value = 0;
  if (!tiff.present() || !tiff.Value(tiff.Entry(tiff.ifd0(), kTagOrientation), &value))
    return kExifOrientationNormal;
  return value >= 1 && value <= 8 ? static_cast<uint16_t>(value) : kExifOrientationNormal;
}

bool ResetExifOrientation(uint8_t* block, size_t size) {
  ExifTiff tiff(block, size);
  if (!tiff.present()) return false;
  const size_t entry = tiff.Entry(tiff.ifd0(), kTagOrientation);
  if (entry == 0) return false;
  tiff.SetShort(entry, kExifOrientationNormal);
  return true;
}

bool SetExifPixelSize(uint8_t* block, size_t size, uint32_t width, uint32_t height) {
  ExifTiff tiff(block, size);
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
  const ExifTiff tiff(block, size);
  if (!tiff.present()) return false;
  const uint32_t ifd1 = tiff.NextIfd(tiff.ifd0());
  if (ifd1 == 0 || !tiff.Value(tiff.Entry(ifd1, kTagThumbnailOffset), offset) ||
      !tiff.Value(tiff.Entry(ifd1, kTagThumbnailLength), length))
    return false;
  return tiff.Fits(*offset, *length);
}

bool SetExifThumbnailLength(uint8_t* block, size_t size, uint32_t length) {
  ExifTiff tiff(block, size);
  if (!tiff.present()) return false;
  const uint32_t ifd1 = tiff.NextIfd(tiff.ifd0());
  const size_t entry = ifd1 == 0 ? 0 : tiff.Entry(ifd1, kTagThumbnailLength);
  if (entry == 0) return false;
  tiff.SetLong(entry, length);
  return true;
}
