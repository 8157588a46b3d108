#include "tests/e2e/image_files.h"

#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/image_encoders.h"
#include "tests/e2e/settings_file.h"

namespace {

bool WriteBmp24(const std::wstring& path, int width, int height, uint32_t (*colour)(int, int, uint32_t),
                uint32_t seed) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  if (AllocatePixels(&image, width, height, 24) != Status::kOk) return false;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = RowFromTop(image, y);
    for (int x = 0; x < width; ++x) {
      uint32_t c = colour(x, y, seed);
      row[3 * x] = uint8_t(c), row[3 * x + 1] = uint8_t(c >> 8), row[3 * x + 2] = uint8_t(c >> 16);
    }
  }
  SaveOptions options;
  options.type = kSaveBmp;
  options.bmp_depth = 24;
  bool ok = EncodeImageFile(image, options, path.c_str()) == Status::kOk;
  ReleasePixels(&image);
  return ok;
}

uint32_t Solid(int, int, uint32_t colour) { return colour; }

}  // namespace

uint32_t PatternColour(int x, int y, uint32_t seed) {
  uint32_t r = (x * 7 + seed) & 0xFF, g = (y * 5 + seed * 3) & 0x7F, b = 0x80 + ((x + y) & 0x7F);
  return r << 16 | g << 8 | b;  // green stays below blue: never grey
}

bool WritePatternBmp(const std::wstring& path, int width, int height, uint32_t seed) {
  return WriteBmp24(path, width, height, PatternColour, seed);
}

uint32_t BlockColour(int x, int y, uint32_t block) {
  static constexpr uint32_t kColours[] = {0xC02010, 0x10A040, 0x2040C0, 0xE0C020};
  uint32_t column = uint32_t(x) / block, row = uint32_t(y) / block;
  return kColours[(column + 3 * row) % 4];
}

bool WriteBlockPatternBmp(const std::wstring& path, int width, int height, uint32_t block) {
  return WriteBmp24(path, width, height, BlockColour, block);
}

uint32_t BandColour(int x, int, uint32_t) {
  if (x < 16) return 0xFF0000;
  if (x < 30) return 0xFFFF00;
  if (x < 44) return 0x00FF00;
  return 0x0000FF;
}

bool WriteBandsBmp(const std::wstring& path) {
  return WriteBmp24(path, kBandsWidth, kBandsHeight, BandColour, 0);
}

bool WriteSolidBmp(const std::wstring& path, int width, int height, uint32_t colour) {
  return WriteBmp24(path, width, height, Solid, colour);
}

bool ReadBmpFile(const std::wstring& path, ImageBuffer* image) {
  std::vector<uint8_t> bytes = ReadFileBytes(path);
  ResetImageBuffer(image);
  return !bytes.empty() && ReadBmpBytes(bytes.data(), bytes.size(), image) == Status::kOk;
}

uint32_t PixelAt(const ImageBuffer& image, int x, int y) {
  const uint8_t* row = RowFromTop(image, y);
  if (image.header.bit_count == 8) {
    const RgbQuad& c = image.palette[row[x]];
    return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
  }
  return uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
}

bool WaitForFile(const std::wstring& path, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  do {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return true;
    }
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return false;
}
