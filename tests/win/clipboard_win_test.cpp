// Pasting from the clipboard: CF_DIB put there the way another program
// would, then read back through the viewer's decoder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "codecs/bmp_clipboard_win.h"

namespace {

bool PutOnClipboard(UINT format, const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(format, memory) != nullptr;
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

void ClearClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

// A 3 x 2 palette bitmap: info header, 256-entry table, bottom row first.
std::vector<uint8_t> PaletteDib(int32_t height) {
  BITMAPINFOHEADER header = {sizeof(BITMAPINFOHEADER), 3, height, 1, 8, BI_RGB};
  header.biClrUsed = 3;  // the clipboard's table is whole whatever this says
  std::vector<uint8_t> bytes(sizeof(header) + 1024 + 8);
  std::memcpy(bytes.data(), &header, sizeof(header));
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(&bytes[sizeof(header)]);
  table[1] = {0x30, 0x20, 0x10, 0};
  table[250] = {0xFF, 0x00, 0x80, 0};
  const uint8_t rows[8] = {1, 250, 0, 0, 250, 250, 1, 0};
  std::memcpy(&bytes[sizeof(header) + 1024], rows, sizeof(rows));
  return bytes;
}

TEST(ClipboardBitmap, ReadsAPastedPaletteBitmap) {
  ASSERT_TRUE(PutOnClipboard(CF_DIB, PaletteDib(2)));
  ImageBuffer image{};
  ASSERT_TRUE(ReadClipboardBitmap(nullptr, &image));
  EXPECT_EQ(image.header.width, 3);
  EXPECT_EQ(image.header.height, 2);
  EXPECT_EQ(image.header.bit_count, 8);
  EXPECT_EQ(image.pixels[1], 250);
  EXPECT_EQ(image.pixels[4 + 2], 1);
  EXPECT_EQ(image.palette[250].red, 0x80);
  EXPECT_EQ(image.palette[1].blue, 0x30);
  EXPECT_EQ(image.source_format, 1);
  EXPECT_EQ(image.source_size, 54u + 1024 + 8);
  ReleasePixels(&image);

  ImageBuffer* fresh = ReadClipboardBitmapNew(nullptr);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->pixels[0], 1);
  FreeClipboardBitmap(fresh);
  ClearClipboard();
}

TEST(ClipboardBitmap, NothingToPasteOrBitmapsItCannotRead) {
  ClearClipboard();
  ImageBuffer image{};
  EXPECT_FALSE(ReadClipboardBitmap(nullptr, &image));
  EXPECT_EQ(ReadClipboardBitmapNew(nullptr), nullptr);

  // More rows than the clipboard memory holds: refused, not padded out with
  // black rows whose memory the header alone would have us commit.
  ASSERT_TRUE(PutOnClipboard(CF_DIB, PaletteDib(4000)));
  EXPECT_FALSE(ReadClipboardBitmap(nullptr, &image));
  EXPECT_EQ(image.pixels, nullptr);
  ASSERT_TRUE(PutOnClipboard(CF_DIB, PaletteDib(-2)));  // top-down
  EXPECT_FALSE(ReadClipboardBitmap(nullptr, &image));
  EXPECT_EQ(image.pixels, nullptr);
  ClearClipboard();
}

}  // namespace
