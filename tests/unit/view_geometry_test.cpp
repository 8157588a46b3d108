// Laying an image out in the client, mapping client points back to image
// pixels, and panning.
#include "view/view_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "view/view_pan.h"

namespace {

const ViewSize kClient{800, 600};

ViewGeometry LaidOut(ViewSize image, double zoom, ViewSize client, int32_t centre_x,
                     int32_t centre_y) {
  ViewGeometry g;
  SetZoom(g, image, zoom);
  g.centre_x = centre_x;
  g.centre_y = centre_y;
  LayOutView(g, image, client);
  return g;
}

TEST(ViewGeometry, ScaledExtentRoundsAndStaysPositive) {
  EXPECT_EQ(ScaledExtent(3, 0.5), 2);      // 1.5 rounds up
  EXPECT_EQ(ScaledExtent(333, 0.3), 100);  // 99.9
  EXPECT_EQ(ScaledExtent(49, 0.01), 1);    // 0.49 would be nothing
  EXPECT_EQ(ScaledExtent(-20, 2.0), 1);
  EXPECT_EQ(ScaledExtent(INT32_MAX, 16.0), INT32_MAX);
  EXPECT_EQ(ClampZoom(24.0), 16.0);
  EXPECT_EQ(ClampZoom(std::numeric_limits<double>::quiet_NaN()), 0.01);
}

TEST(ViewGeometry, SmallImageIsCentred) {
  const ViewGeometry g = LaidOut({100, 100}, 1.0, kClient, 0, 0);
  EXPECT_EQ(g.destination_x, 350);
  EXPECT_EQ(g.destination_y, 250);
  EXPECT_EQ(g.destination_width, 100);
  EXPECT_EQ(g.destination_height, 100);
  EXPECT_EQ(g.source_width, 100);
  EXPECT_EQ(g.centre_x, 50);

  // Odd leftovers and odd images halve downwards.
  const ViewGeometry odd = LaidOut({99, 101}, 1.0, {800, 601}, 0, 0);
  EXPECT_EQ(odd.destination_x, 350);
  EXPECT_EQ(odd.destination_y, 250);
  EXPECT_EQ(odd.centre_y, 50);
}

TEST(ViewGeometry, LargeImageIsCroppedAroundTheCentre) {
  const ViewGeometry g = LaidOut({4000, 3000}, 0.3, kClient, 2000, 1500);
  EXPECT_EQ(g.destination_width, 800);
  EXPECT_EQ(g.source_width, 2667);  // 800 / 0.3 = 2666.67
  EXPECT_EQ(g.source_x, 2000 - 1333);
  EXPECT_EQ(g.centre_x, 2000);
  EXPECT_EQ(g.source_y, 500);

  const ViewGeometry odd = LaidOut({1001, 1001}, 1.0, {801, 601}, 500, 500);
  EXPECT_EQ(odd.source_x, 100);
  EXPECT_EQ(odd.source_y, 200);
}

TEST(ViewGeometry, CropIsClampedAtEveryEdge) {
  const ViewSize image{1000, 700};
  const ViewGeometry near_start = LaidOut(image, 1.0, kClient, 10, 3);
  EXPECT_EQ(near_start.source_x, 0);
  EXPECT_EQ(near_start.centre_x, 400);
  EXPECT_EQ(near_start.centre_y, 300);

  const ViewGeometry near_end = LaidOut(image, 1.0, kClient, 995, 699);
  EXPECT_EQ(near_end.source_x, 200);
  EXPECT_EQ(near_end.centre_x, 600);
  EXPECT_EQ(near_end.source_y, 100);

  const ViewGeometry outside = LaidOut(image, 2.0, kClient, INT32_MIN, INT32_MAX);
  EXPECT_EQ(outside.source_x, 0);
  EXPECT_EQ(outside.source_y, 700 - 300);

  // A minimised client or an empty image leaves no negative extent.
  const ViewGeometry minimised = LaidOut({500, 500}, 1.0, {-10, 0}, 250, 250);
  EXPECT_EQ(minimised.destination_width, 0);
  EXPECT_EQ(minimised.source_width, 0);
  EXPECT_EQ(LaidOut({0, -3}, 1.0, kClient, 0, 0).source_height, 0);
}

TEST(ViewGeometry, ClientPointToImagePixel) {
  const ViewSize image{100, 100};
  // At 50 % each screen pixel's centre falls between two image pixels:
  // halves round up.
  const ViewGeometry half = LaidOut(image, 0.5, kClient, 0, 0);
  ASSERT_EQ(half.destination_x, 375);
  EXPECT_EQ(ImageColumnAt(375, half, image), 1);
  EXPECT_EQ(ImageColumnAt(376, half, image), 3);
  EXPECT_EQ(ImageColumnAt(425, half, image), 99);  // past the image: last pixel
  EXPECT_EQ(ImageColumnAt(10, half, image), 0);

  // (destination - source) / 2 halves as an integer: 100 pixels drawn 51
  // wide map the 26th column to 49.49, not 49.5.
  const ViewGeometry odd = LaidOut(image, 0.51, kClient, 0, 0);
  EXPECT_EQ(ImageColumnAt(odd.destination_x + 25, odd, image), 49);

  ViewGeometry cropped = LaidOut({1000, 1000}, 1.0, kClient, 500, 500);
  EXPECT_EQ(ImagePointAt({0, 0}, cropped, {1000, 1000}).y, 200);
  EXPECT_EQ(ImagePointAt({799, 599}, cropped, {1000, 1000}).x, 899);
  cropped.destination_width = 0;
  EXPECT_EQ(ImageColumnAt(400, cropped, {1000, 1000}), 0);
}

TEST(ViewPan, PanByStaysInsideTheImage) {
  const ViewSize image{1000, 700};
  ViewGeometry g = LaidOut(image, 1.0, kClient, 500, 350);
  PanBy(g, image, 30, -20);
  EXPECT_EQ(g.source_x, 130);
  EXPECT_EQ(g.centre_x, 530);
  EXPECT_EQ(g.centre_y, 330);
  PanBy(g, image, INT32_MAX, INT32_MIN);
  EXPECT_EQ(g.source_x, 200);
  EXPECT_EQ(g.source_y, 0);
}

TEST(ViewPan, StepsAndShift) {
  const ViewGeometry wide = LaidOut({1000, 600}, 1.0, kClient, 500, 300);
  EXPECT_EQ(PanCommandStep(kCommandPanLeft, wide, 0).dx, -16);
  EXPECT_EQ(PanCommandStep(kCommandPanRight, wide, 1).dx, 32);
  EXPECT_EQ(PanCommandStep(kCommandPanDown, wide, 0).dy, 0);  // exactly as tall
  const ViewGeometry tall = LaidOut({800, 601}, 1.0, kClient, 400, 300);
  EXPECT_EQ(PanCommandStep(kCommandPanUp, tall, 1).dy, -32);
  EXPECT_EQ(PanCommandStep(kCommandPanLeft, tall, 1).dx, 0);

  EXPECT_EQ(PanStepShift({1920, 1080}, {1920, 1080}), 0);
  EXPECT_EQ(PanStepShift({10, 1081}, {1920, 1080}), 1);
  const PanDelta drag = MousePanDelta({100, 100}, {90, 105}, 1);
  EXPECT_EQ(drag.dx, 20);
  EXPECT_EQ(drag.dy, -10);
  EXPECT_EQ(MousePanDelta({INT32_MAX, 0}, {INT32_MIN, 0}, 1).dx, INT32_MAX);
}

}  // namespace
