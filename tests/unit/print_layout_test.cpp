#include "view/print_layout.h"

#include <gtest/gtest.h>

#include "view/millimetre_text.h"

namespace {

// A portrait A4 sheet at 300 dpi with a quarter-inch unprintable border.
PrinterMetrics A4() {
  PrinterMetrics m;
  m.dpi_x = m.dpi_y = 300;
  m.paper_width = 2480;
  m.paper_height = 3508;
  m.offset_x = m.offset_y = 75;
  m.printable_width = 2330;
  m.printable_height = 3358;
  return m;
}

TEST(PrintLayout, HeldMetricsNeverDivideByZero) {
  PrinterMetrics m = HeldPrinterMetrics(PrinterMetrics{0, -3, 0, -1, 5, 6, 0, -9});
  EXPECT_EQ(m.dpi_x, 2);
  EXPECT_EQ(m.dpi_y, 2);
  EXPECT_EQ(m.paper_width, 1);
  EXPECT_EQ(m.paper_height, 1);
  EXPECT_EQ(m.printable_width, 1);
  EXPECT_EQ(m.printable_height, 1);
  EXPECT_EQ(m.offset_x, 5);
}

TEST(PrintLayout, PageFitsTheAreaAlongItsRelativelyLongerSide) {
  // An area taller than A4's proportions: the width decides, centred vertically.
  PreviewFit tall = FitPageIntoPreview(A4(), 248, 400);
  EXPECT_DOUBLE_EQ(tall.scale, 0.1);
  EXPECT_EQ(tall.page.left, 0);
  EXPECT_EQ(tall.page.width, 248);
  EXPECT_EQ(tall.page.height, 351);
  EXPECT_EQ(tall.page.top, (400 - 351) / 2);
  EXPECT_EQ(tall.printable_left, 8);  // 7.5 rounds away from zero
  EXPECT_EQ(tall.printable_top, 8 + 24);

  // A wide area: the height decides, centred horizontally.
  PreviewFit wide = FitPageIntoPreview(A4(), 600, 350);
  EXPECT_DOUBLE_EQ(wide.scale, 350.0 / 3508);
  EXPECT_EQ(wide.page.top, 0);
  EXPECT_EQ(wide.page.height, 350);
  EXPECT_EQ(wide.page.left, (600 - wide.page.width) / 2);

  PrintRect area = PreviewPrintableArea(tall, A4());
  EXPECT_EQ(area.width, 233);
  EXPECT_EQ(area.height, 336);
  // Even a huge printer shows at least a pixel of printable area.
  PrinterMetrics huge = A4();
  huge.printable_width = 1;
  EXPECT_EQ(PreviewPrintableArea(tall, huge).width, 1);
}

TEST(PrintLayout, SquareImageOnPortraitPageIsCroppedLeftAndRightCentred) {
  FillCrop crop;
  LayoutFill(A4(), {1000, 1000}, &crop);
  EXPECT_EQ(crop.y, 0);
  EXPECT_EQ(crop.height, 1000);
  // (1000 / 3358) x 2330 = 693.865...
  EXPECT_EQ(crop.width, 694);
  EXPECT_EQ(crop.x, 153);  // (1000 - 694) / 2
  EXPECT_TRUE(crop.x_placed);

  // Once moved, the crop stays where the user put it, but within the image.
  crop.x = 20;
  LayoutFill(A4(), {1000, 1000}, &crop);
  EXPECT_EQ(crop.x, 20);
  crop.x = 900;
  LayoutFill(A4(), {1000, 1000}, &crop);
  EXPECT_EQ(crop.x, 1000 - 694);
}

TEST(PrintLayout, TallImageIsCroppedTopAndBottom) {
  FillCrop crop;
  LayoutFill(A4(), {100, 1000}, &crop);
  EXPECT_EQ(crop.x, 0);
  EXPECT_EQ(crop.width, 100);
  // 3358 x (100 / 2330) = 144.12
  EXPECT_EQ(crop.height, 144);
  EXPECT_EQ(crop.y, 428);  // (1000 - 144) x 0.5
  EXPECT_FALSE(crop.x_placed);
}

TEST(PrintLayout, FillCropOfAOnePixelImageIsNeverEmpty) {
  FillCrop crop;
  LayoutFill(A4(), {1, 1}, &crop);
  EXPECT_EQ(crop.width, 1);
  EXPECT_EQ(crop.height, 1);
  FillCrop line;
  LayoutFill(A4(), {5000, 1}, &line);
  EXPECT_EQ(line.height, 1);
  EXPECT_GE(line.width, 1);
}

TEST(PrintLayout, DraggingTheImageMovesTheCropTheOtherWay) {
  PrinterMetrics m = A4();
  FillCrop crop;
  LayoutFill(m, {1000, 1000}, &crop);
  PreviewFit fit = FitPageIntoPreview(m, 248, 400);
  // 10 preview pixels are 100 device pixels, 694 / 2330 image pixels each.
  DragFillCrop(fit, m, 10, 0, &crop);
  EXPECT_EQ(crop.x, 153 - 30);
  LayoutFill(m, {1000, 1000}, &crop);
  DragFillCrop(fit, m, -1000, 0, &crop);
  LayoutFill(m, {1000, 1000}, &crop);
  EXPECT_EQ(crop.x, 1000 - 694);
}

TEST(PrintLayout, PlacementConvertsTenthsOfAMillimetre) {
  StoredPlacement stored{254, 508, 1016};  // 1 inch, 2 inches, 4 inches
  PlacementLayout l = LayoutPlacement(A4(), {400, 300}, &stored);
  EXPECT_EQ(l.left, 300);
  EXPECT_EQ(l.top, 600);
  EXPECT_EQ(l.width, 1200);
  EXPECT_EQ(l.height, 900);
  EXPECT_EQ(l.effective_dpi, 100);  // 300 x 400 / 1200
  EXPECT_EQ(stored.left, 254);
  EXPECT_EQ(stored.top, 508);
  EXPECT_EQ(stored.width, 1016);
  EXPECT_EQ(PlacementHeightTenths(A4(), l), 762);
}

TEST(PrintLayout, PlacementWiderThanThePrintableAreaIsReducedToItAtTheLeftEdge) {
  StoredPlacement stored{300, 100, 3000};  // 300 mm wide on A4
  PlacementLayout l = LayoutPlacement(A4(), {200, 100}, &stored);
  EXPECT_EQ(l.left, 0);
  EXPECT_EQ(l.width, 2330);
  EXPECT_EQ(l.height, 1165);
  EXPECT_EQ(stored.left, 0);
  EXPECT_EQ(stored.width, DeviceToTenths(2330, 300));
  EXPECT_EQ(l.top, TenthsToDevice(100, 300));
}

TEST(PrintLayout, PlacementRunningOffTheAreaMovesIn) {
  StoredPlacement stored{1800, 3000, 500};  // 50 mm wide at 180 mm, 300 mm down
  PlacementLayout l = LayoutPlacement(A4(), {100, 100}, &stored);
  EXPECT_EQ(l.width, 591);
  EXPECT_EQ(l.left, 2330 - 591);
  EXPECT_EQ(l.top, 3358 - 591);
  EXPECT_EQ(stored.left, DeviceToTenths(2330 - 591, 300));

  // Too tall: the top becomes 0 and the width follows the height.
  StoredPlacement tall{0, 500, 2000};
  PlacementLayout t = LayoutPlacement(A4(), {100, 200}, &tall);
  EXPECT_EQ(t.top, 0);
  EXPECT_EQ(t.height, 3358);
  EXPECT_EQ(t.width, 1679);
}

TEST(PrintLayout, NarrowImagePrintsAtLeastHalfAnInchWide) {
  // A banner roll tall enough for 10 x 1000 pixels at half an inch wide.
  PrinterMetrics roll = A4();
  roll.paper_height = roll.printable_height = 300 * 60;
  StoredPlacement stored{0, 0, 10};  // asked for 1 mm
  PlacementLayout l = LayoutPlacement(roll, {10, 1000}, &stored);
  EXPECT_EQ(l.min_width, 150);
  EXPECT_EQ(l.min_height, 15000);
  EXPECT_EQ(l.width, 150);
  EXPECT_EQ(l.height, 15000);
  EXPECT_EQ(stored.width, 127);  // half an inch

  // A wide image: its height is the shorter side that gets half an inch.
  StoredPlacement wide{0, 0, 1};
  PlacementLayout w = LayoutPlacement(A4(), {300, 30}, &wide);
  EXPECT_EQ(w.min_height, 150);
  EXPECT_EQ(w.height, 150);
  EXPECT_EQ(w.width, 1500);
}

TEST(PrintLayout, OnAPageTooShortForTheMinimumTheImageStaysOnThePage) {
  StoredPlacement stored{0, 0, 10};
  PlacementLayout l = LayoutPlacement(A4(), {10, 1000}, &stored);
  EXPECT_EQ(l.top, 0);
  EXPECT_EQ(l.height, 3358);
  EXPECT_EQ(l.width, 34);  // 3358 x 0.01 rounded
}

TEST(PrintLayout, PreviewOfThePlacementIsScaledAndOffset) {
  PreviewFit fit = FitPageIntoPreview(A4(), 248, 400);
  PlacementLayout l;
  l.left = 300;
  l.top = 600;
  l.width = 1200;
  l.height = 4;
  PrintRect r = PreviewPlacement(fit, l);
  EXPECT_EQ(r.left, fit.printable_left + 30);
  EXPECT_EQ(r.top, fit.printable_top + 60);
  EXPECT_EQ(r.width, 120);
  EXPECT_EQ(r.height, 1);  // 0.4 shows as one pixel
}

TEST(PrintLayout, PageOfEitherModeSaysWhatGoesWhereAndAtWhatResolution) {
  PrintPage page;
  page.metrics = A4();
  page.image = {1000, 1000};
  page.stored = {254, 254, 1016};
  LayoutPrintPage(&page, 248, 400);
  PrintedPart placed = PrintedPartOf(page);
  EXPECT_EQ(placed.target.left, 300);
  EXPECT_EQ(placed.target.width, 1200);
  EXPECT_EQ(placed.source.width, 1000);
  EXPECT_EQ(EffectiveDpi(page), 250);

  page.fill = true;
  LayoutPrintPage(&page, 248, 400);
  PrintedPart filled = PrintedPartOf(page);
  EXPECT_EQ(filled.target.left, 0);
  EXPECT_EQ(filled.target.width, 2330);
  EXPECT_EQ(filled.target.height, 3358);
  EXPECT_EQ(filled.source.left, 153);
  EXPECT_EQ(filled.source.width, 694);
  EXPECT_EQ(EffectiveDpi(page), 89);  // 300 x 694 / 2330
  // The placement is laid out all the same, for when the mode changes back.
  EXPECT_EQ(page.placement.width, 1200);
}

TEST(PrintLayout, WidthForATypedHeightKeepsTheProportions) {
  EXPECT_EQ(PlacementWidthForHeight(A4(), {400, 300}, 762), 1016);
  EXPECT_EQ(PlacementWidthForHeight(A4(), {400, 300}, 0), DeviceToTenths(1, 300));
}

TEST(PrintLayout, HandlesAndGrips) {
  PrintRect image{50, 60, 100, 80};
  PrintRect page{10, 10, 200, 300};
  EXPECT_EQ(PlacementHandle(image, PlacementGrip::kBottomRight).left, 145);
  EXPECT_EQ(PlacementHandle(image, PlacementGrip::kBottomRight).top, 135);
  EXPECT_EQ(PlacementGripAt(image, page, 46, 56), PlacementGrip::kTopLeft);
  EXPECT_EQ(PlacementGripAt(image, page, 154, 64), PlacementGrip::kTopRight);
  EXPECT_EQ(PlacementGripAt(image, page, 50, 139), PlacementGrip::kBottomLeft);
  EXPECT_EQ(PlacementGripAt(image, page, 149, 144), PlacementGrip::kBottomRight);
  EXPECT_EQ(PlacementGripAt(image, page, 100, 100), PlacementGrip::kBody);
  EXPECT_EQ(PlacementGripAt(image, page, 20, 250), PlacementGrip::kBody);
  EXPECT_EQ(PlacementGripAt(image, page, 5, 5), PlacementGrip::kNone);
}

TEST(PrintLayout, DraggingACornerSizesAboutTheOppositeCorner) {
  PrinterMetrics m = A4();
  PreviewFit fit = FitPageIntoPreview(m, 248, 400);  // 0.1 preview px per device px
  StoredPlacement stored{254, 254, 1016};
  PlacementLayout start = LayoutPlacement(m, {400, 300}, &stored);  // 300,300 1200x900

  StoredPlacement grown = DragPlacement(m, fit, start, PlacementGrip::kBottomRight, 40, 0);
  EXPECT_EQ(grown.left, 254);
  EXPECT_EQ(grown.top, 254);
  EXPECT_EQ(TenthsToDevice(grown.width, 300), 1600);

  // The top-left corner keeps the bottom-right one where it was.
  StoredPlacement shrunk = DragPlacement(m, fit, start, PlacementGrip::kTopLeft, 40, 30);
  PlacementLayout after = LayoutPlacement(m, {400, 300}, &shrunk);
  EXPECT_EQ(after.width, 800);
  EXPECT_EQ(after.height, 600);
  EXPECT_EQ(after.left + after.width, 1500);
  EXPECT_EQ(after.top + after.height, 1200);

  // A vertical drag of a corner sizes too, by the proportions.
  StoredPlacement taller = DragPlacement(m, fit, start, PlacementGrip::kBottomLeft, 0, 30);
  EXPECT_EQ(TenthsToDevice(taller.width, 300), 1600);

  StoredPlacement moved = DragPlacement(m, fit, start, PlacementGrip::kBody, -50, 7);
  EXPECT_EQ(moved.left, 0);  // never left of the printable area
  EXPECT_EQ(TenthsToDevice(moved.top, 300), 370);
}

TEST(MillimetreText, ShowsAtMostOneDecimal) {
  EXPECT_EQ(MillimetreText(1000), L"100");
  EXPECT_EQ(MillimetreText(125), L"12.5");
  EXPECT_EQ(MillimetreText(0), L"0");
  EXPECT_EQ(MillimetreText(-5), L"-0.5");
}

TEST(MillimetreText, ParsesWhatAUserTypes) {
  EXPECT_EQ(ParseMillimetres(L"100"), 1000);
  EXPECT_EQ(ParseMillimetres(L" 12.5 "), 125);
  EXPECT_EQ(ParseMillimetres(L"12,5"), 125);
  EXPECT_EQ(ParseMillimetres(L"12.54"), 125);
  EXPECT_EQ(ParseMillimetres(L"12.55"), 126);
  EXPECT_EQ(ParseMillimetres(L".5"), 5);
  EXPECT_EQ(ParseMillimetres(L"7."), 70);
  EXPECT_EQ(ParseMillimetres(L"10000"), 100000);
  for (const wchar_t* bad : {L"", L" ", L"-1", L"1e3", L"12.5mm", L".", L"10001",
                             L"99999999999999999999"}) {
    EXPECT_FALSE(ParseMillimetres(bad).has_value()) << bad;
  }
}

}  // namespace
