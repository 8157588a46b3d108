// A 32-bit top-down DIB section to draw into and read back, for tests of
// drawing code that takes a device context.
#pragma once

#include <windows.h>

#include <cstdint>

class BitmapCanvas {
 public:
  BitmapCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~BitmapCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  BitmapCanvas(const BitmapCanvas&) = delete;
  BitmapCanvas& operator=(const BitmapCanvas&) = delete;

  HDC dc() const { return dc_; }
  RECT rect() const { return {0, 0, width_, height_}; }
  // 0x00RRGGBB of (x, y), y from the top.
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  int CountNot(uint32_t colour) const {
    GdiFlush();
    int n = 0;
    for (int i = 0; i < width_ * height_; ++i) n += (bits_[i] & 0xFFFFFF) != colour;
    return n;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};
