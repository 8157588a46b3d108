// The view's painting into a bitmap: strips, the stretched image, the note.
#include <gtest/gtest.h>
#include <windows.h>

#include "view/view_dc.h"
#include "view/view_geometry.h"
#include "view/view_paint.h"

namespace {

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
  HDC dc() const { return dc_; }
  RECT rect() const { return {0, 0, width_, height_}; }
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

TEST(ViewPaint, ImageCentredWithTheFourStripsFilled) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 100, 100, 24), Status::kOk);
  for (int y = 0; y < 100; ++y) {
    uint8_t* row = RowFromTop(image, y);
    for (int x = 0; x < 100; ++x) row[3 * x + 2] = 0xFF;  // red
  }
  ViewGeometry g;
  SetZoom(g, {100, 100}, 1.0);
  g.centre_x = g.centre_y = 50;
  LayOutView(g, {100, 100}, {800, 600});
  ASSERT_EQ(g.destination_x, 350);
  ASSERT_EQ(g.destination_y, 250);

  BitmapCanvas canvas(800, 600);
  RECT whole = canvas.rect();
  FillRect(canvas.dc(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ViewPaintInput input = {&image, &g, BackgroundBrush(4), nullptr};
  PaintViewContent(canvas.dc(), canvas.rect(), input);
  EXPECT_EQ(canvas.At(350, 250), 0xFF0000u);
  EXPECT_EQ(canvas.At(449, 349), 0xFF0000u);
  // Left, right, top and bottom strips take the background.
  EXPECT_EQ(canvas.At(349, 300), 0u);
  EXPECT_EQ(canvas.At(450, 300), 0u);
  EXPECT_EQ(canvas.At(400, 249), 0u);
  EXPECT_EQ(canvas.At(400, 350), 0u);
  EXPECT_EQ(canvas.At(0, 0), 0u);
  EXPECT_EQ(canvas.At(799, 599), 0u);
  EXPECT_EQ(canvas.CountNot(0), 100 * 100);
  ReleasePixels(&image);
}

TEST(ViewPaint, EmptyCanvasCarriesTheNoteInTheMiddle) {
  BitmapCanvas canvas(400, 300);
  PrepareViewDc(canvas.dc(), kStretchHalftone, 4, nullptr);
  ViewPaintInput input = {nullptr, nullptr, BackgroundBrush(4), L"The image could not be displayed."};
  PaintViewContent(canvas.dc(), canvas.rect(), input);
  EXPECT_GT(canvas.CountNot(0), 20);
  EXPECT_EQ(canvas.At(0, 0), 0u);
  EXPECT_EQ(canvas.At(200, 10), 0u);
}

}  // namespace
