#include "tests/plugins/test_picture_core.h"

#include <cstring>

#include "image/win_records.h"

namespace {

constexpr char kMagic[4] = {'O', 'V', 'T', 'P'};
constexpr size_t kHeadBytes = 10;

// Announces a built-in extension and a repeat, which the viewer drops.
const char* const kInfo[] = {"00IN test pictures", "", "*.ovt;*.JPG", "Test pictures",
                             "*.ovt;*.ovu", "More test pictures"};

bool Accepts(const uint8_t* head, size_t size) {
  return size >= 4 && std::memcmp(head, kMagic, 4) == 0;
}

bool Decode(const uint8_t* data, size_t size, PluginDib* out) {
  if (size < kHeadBytes || !Accepts(data, size)) return false;
  const int bit_count = data[4];
  const int width = data[6] | data[7] << 8, height = data[8] | data[9] << 8;
  const size_t colours = bit_count <= 8 ? size_t(1) << bit_count : 0;
  const size_t table = colours * 4;
  if (size < kHeadBytes + table) return false;
  DibHeader header = {40, width, height, 1, uint16_t(bit_count), 0, 0, 0, 0, uint32_t(colours), 0};
  out->info.resize(40 + table);
  std::memcpy(out->info.data(), &header, 40);
  std::memcpy(out->info.data() + 40, data + kHeadBytes, table);
  out->bits.assign(data + kHeadBytes + table, data + size);
  return true;
}

const SpiImageCore kCore = {kInfo, sizeof(kInfo) / sizeof(kInfo[0]), Accepts, Decode};

}  // namespace

const SpiImageCore& TestPictureCore() { return kCore; }

std::vector<uint8_t> MakeTestPicture(uint16_t width, uint16_t height, uint8_t bit_count,
                                     const std::vector<uint8_t>& palette,
                                     const std::vector<uint8_t>& bits) {
  std::vector<uint8_t> file(kHeadBytes + palette.size() + bits.size());
  std::memcpy(file.data(), kMagic, 4);
  const uint8_t fields[6] = {bit_count, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                             uint8_t(height >> 8)};
  std::memcpy(file.data() + 4, fields, 6);
  if (!palette.empty()) std::memcpy(file.data() + kHeadBytes, palette.data(), palette.size());
  if (!bits.empty()) std::memcpy(file.data() + kHeadBytes + palette.size(), bits.data(), bits.size());
  return file;
}
