// The printer side of printing, against the print queue the test run starts
// (a PDF printer Wine sees through CUPS).
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/unit/image_test_support.h"
#include "view/print_job_win.h"
#include "view/printer_choice_win.h"

namespace {

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printer_ = TakeDefaultPrinter(&choice_);
    if (!printer_) GTEST_SKIP() << "no printer: scripts/test.sh starts a print queue";
  }
  PrinterChoice choice_;
  UniqueDc printer_;
};

// A DEVNAMES block of `bytes` whose device name starts at `offset` characters.
UniqueGlobal DevNames(size_t bytes, WORD offset, const wchar_t* name) {
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
  auto* names = static_cast<BYTE*>(GlobalLock(block.get()));
  reinterpret_cast<DEVNAMES*>(names)->wDeviceOffset = offset;
  size_t start = size_t{offset} * sizeof(wchar_t);
  size_t room = bytes > start ? bytes - start : 0;
  std::memcpy(names + start, name, std::min(room, (wcslen(name) + 1) * sizeof(wchar_t)));
  GlobalUnlock(block.get());
  return block;
}

TEST_F(PrinterTest, KeptBlocksGiveTheSamePrinterAgain) {
  PrinterMetrics first = ReadPrinterMetrics(printer_.get());
  EXPECT_GE(first.dpi_x, 72);
  EXPECT_GT(first.paper_height, first.printable_height / 2);
  ASSERT_FALSE(choice_.empty());
  UniqueDc again = CreatePrinterContext(choice_);
  ASSERT_TRUE(again);
  PrinterMetrics second = ReadPrinterMetrics(again.get());
  EXPECT_EQ(second.dpi_x, first.dpi_x);
  EXPECT_EQ(second.paper_width, first.paper_width);
  EXPECT_EQ(second.printable_height, first.printable_height);
  EXPECT_TRUE(GetDeviceCaps(again.get(), RASTERCAPS) & RC_STRETCHDIB);
}

TEST_F(PrinterTest, DeviceNamesThatRunPastTheirBlockGiveNoPrinter) {
  PrinterChoice broken;
  broken.dev_names = DevNames(64, 400, L"anything");
  EXPECT_FALSE(CreatePrinterContext(broken));
  // A name without its terminating zero is cut at the block's end; the
  // cut name names no printer.
  broken.dev_names = DevNames(sizeof(DEVNAMES) + 4 * sizeof(wchar_t), 4, L"ovira_unknown_printer");
  EXPECT_FALSE(CreatePrinterContext(broken));
  EXPECT_FALSE(CreatePrinterContext(PrinterChoice()));
}

TEST_F(PrinterTest, PalettePicturePrintsThroughItsTrueColourCopy) {
  TestImage image(30, 20, 8);
  image.SetEntry(1, 0xFF0000);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) image.SetIndex(x, y, x < 15 ? 0 : 1);
  }
  PrintPage page;
  page.metrics = ReadPrinterMetrics(printer_.get());
  page.image = {30, 20};
  page.fill = true;
  LayoutPrintPage(&page, 200, 280);
  EXPECT_EQ(PrintImage(printer_.get(), page, image.record, L"palette test"),
            PrintJobResult::kPrinted);
}

TEST(PrinterMetricsTest, ContextsThatAreNoPrinterStillGiveUsableFigures) {
  HDC screen = GetDC(nullptr);
  PrinterMetrics m = ReadPrinterMetrics(screen);
  ReleaseDC(nullptr, screen);
  EXPECT_GE(m.dpi_x, 2);
  EXPECT_GE(m.paper_width, 1);
  EXPECT_GE(m.paper_height, 1);
  EXPECT_GE(m.printable_width, 1);
}

}  // namespace
