#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "image/decode_source.h"
#include "image/format_detect.h"
#include "image/image_buffer_win.h"
#include "image/page_memory.h"
#include "tests/win/bitmap_canvas.h"
#include "tests/win/win_test_files.h"

namespace {

// Draws the whole record with GDI as the view does.
void Draw(const BitmapCanvas& canvas, const ImageBuffer& image) {
  StretchDIBits(canvas.dc(), 0, 0, image.header.width, image.header.height, 0, 0,
                image.header.width, image.header.height, image.pixels, AsBitmapInfo(image),
                DIB_RGB_COLORS, SRCCOPY);
}

TEST(ImageBufferWin, GdiReadsPaletteImagesBottomUp) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 3, 2, 8), Status::kOk);
  image.palette[1] = {0x10, 0x20, 0x30, 0};
  image.palette[2] = {0xFF, 0x00, 0x00, 0};
  RowFromTop(image, 0)[2] = 1;
  RowFromTop(image, 1)[0] = 2;
  BitmapCanvas canvas(3, 2);
  Draw(canvas, image);
  EXPECT_EQ(canvas.At(2, 0), 0x302010u);
  EXPECT_EQ(canvas.At(0, 1), 0x0000FFu);
  EXPECT_EQ(canvas.At(1, 1), 0x000000u);
  ReleasePixels(&image);
}

TEST(ImageBufferWin, GdiReadsPaddedTwentyFourBitRows) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 5, 2, 24), Status::kOk);
  uint8_t* top = RowFromTop(image, 0);
  top[12] = 0x01, top[13] = 0x02, top[14] = 0x03;  // x = 4: blue, green, red
  RowFromTop(image, 1)[2] = 0xAA;                     // x = 0, red
  BitmapCanvas canvas(5, 2);
  Draw(canvas, image);
  EXPECT_EQ(canvas.At(4, 0), 0x030201u);
  EXPECT_EQ(canvas.At(0, 1), 0xAA0000u);
  ReleasePixels(&image);
}

TEST(PageMemoryWin, CommittedZeroedAndReleasedWhole) {
  void* block = PageAlloc(100000);
  ASSERT_NE(block, nullptr);
  MEMORY_BASIC_INFORMATION info;
  ASSERT_TRUE(VirtualQuery(block, &info, sizeof(info)));
  EXPECT_EQ(info.State, DWORD(MEM_COMMIT));
  EXPECT_EQ(info.Protect, DWORD(PAGE_READWRITE));
  EXPECT_GE(info.RegionSize, 100000u);
  EXPECT_EQ(static_cast<uint8_t*>(block)[99999], 0);
  PageFree(block);
  ASSERT_TRUE(VirtualQuery(block, &info, sizeof(info)));
  EXPECT_EQ(info.State, DWORD(MEM_FREE));
}

TEST(FileAccessWin, DetectionOfShortLockedAndMissingFiles) {
  WinTempDir dir;
  EXPECT_EQ(DetectFileFormat(dir.Write(L"empty.bmp", {}).c_str()), kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write(L"three.bmp", {'B', 'M', 0}).c_str()), kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write(L"seven.gif", {'G', 'I', 'F', '8', '9', 'a', 0}).c_str()),
            kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write(L"eight.tif", {'M', 'M', 0, 0x2A, 0, 0, 0, 8}).c_str()),
            kFormatTiff);
  EXPECT_EQ(DetectFileFormat(dir.File(L"missing.png").c_str()), kFormatCannotOpen);
  EXPECT_EQ(DetectFileFormat(dir.path().c_str()), kFormatCannotOpen);

  // Another program holding the file without sharing makes it unreadable.
  std::wstring locked = dir.Write(L"locked.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0});
  HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(DetectFileFormat(locked.c_str()), kFormatCannotOpen);
  ImageBuffer target{};
  DecodeSource source;
  EXPECT_FALSE(OpenFileSource(&source, locked.c_str(), &target));
  EXPECT_EQ(source.status, Status::kReadFailed);
  CloseHandle(holder);
  EXPECT_EQ(DetectFileFormat(locked.c_str()), kFormatBmp);
}

TEST(FileAccessWin, CopyOnWriteSourceWorksOnReadOnlyFilesAndLeavesThemAlone) {
  WinTempDir dir;
  std::wstring path = dir.Write(L"photo.jpg", {0xFF, 0xD8, 0xFF, 0xE1, 5, 6, 7, 8});
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ImageBuffer target{};
  {
    DecodeSource source;
    ASSERT_TRUE(OpenFileSource(&source, path.c_str(), &target, MapMode::kCopyOnWrite));
    EXPECT_EQ(source.size(), 8u);
    MutableStart(&source)[4] = 0x99;
    EXPECT_EQ(source.start[4], 0x99);
    FileTimeValue t = source.file.last_write_time();
    EXPECT_NE(t.high, 0u);
  }
  DecodeSource again;
  ASSERT_TRUE(OpenFileSource(&again, path.c_str(), &target));
  EXPECT_EQ(again.start[4], 5);
  again.file.Close();
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
