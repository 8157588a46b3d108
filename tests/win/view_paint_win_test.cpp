// The view's painting into a bitmap: strips, the stretched image, the note.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/bitmap_canvas.h"
#include "view/view_dc_win.h"
#include "view/view_geometry.h"
#include "view/view_paint_win.h"

namespace {

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
