// The Exif dialog reads the camera data of every JPEG file the user asks
// about, whatever wrote it. No count or offset may lead it outside the
// data; the same block reads alike bare and inside a JPEG file; every
// value text stays short enough for a list view row.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/exif_info.h"
#include "fuzz/fuzz_check.h"
#include "lang/exif_strings_en.h"

namespace {

// A text cut at 259 bytes with a subsecond part of the same length is the
// longest value.
constexpr size_t kLongestValue = 2 * 259 + 16;

bool SameItems(const ExifInfo& a, const ExifInfo& b) {
  for (int i = 0; i < kExifItemCount; ++i)
    if (a.items[i].present != b.items[i].present || a.items[i].value != b.items[i].value) return false;
  return true;
}

// The block as the one APP1 segment of a minimal JPEG stream.
std::vector<uint8_t> InJpeg(const uint8_t* block, size_t size) {
  std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE1, uint8_t((size + 2) >> 8), uint8_t(size + 2)};
  jpeg.insert(jpeg.end(), block, block + size);
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so reading past it is caught.
  const std::vector<uint8_t> input(data, data + size);
  ExifInfo info;
  const bool read = ReadExifInfo(input.data(), input.size(), EnglishExifText, &info);
  for (const ExifItem& item : info.items) {
    Require(read || !item.present, "a failed read shows nothing");
    Require(item.value.size() <= kLongestValue, "value texts stay short");
  }
  const bool bare = size >= 6 && data[0] == 'E' && data[1] == 'x' && data[2] == 'i' && data[3] == 'f';
  if (read && bare && size <= 65533) {
    const std::vector<uint8_t> jpeg = InJpeg(input.data(), input.size());
    ExifInfo wrapped;
    Require(ReadExifInfo(jpeg.data(), jpeg.size(), EnglishExifText, &wrapped),
            "a block that reads bare reads inside a JPEG file");
    Require(SameItems(info, wrapped), "a block reads alike bare and inside a JPEG file");
  }
  return 0;
}
