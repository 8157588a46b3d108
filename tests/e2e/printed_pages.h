// What came out of the printer: scripts/test.sh runs a CUPS queue of its
// own that turns every job into a PDF file, and pdftoppm renders that file
// back into pixels, so a scenario checks the printed page itself rather
// than what the program meant to print.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

struct PageRaster {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

struct PrintedDocument {
  std::wstring pdf;  // the file the queue wrote
  int pages = 0;
  int dpi = 0;  // the resolution first_page is rendered at
  PageRaster first_page;
};

// The queue's output folder as a scenario first sees it.
class PrintOutput {
 public:
  // Notes the PDF files already there, so only later ones count. Fails the
  // scenario when no test queue runs.
  bool Open(ScenarioContext& ctx);

  // Waits up to `timeout_ms` for a new PDF file to be written completely,
  // then renders it at `dpi`. Failures go to the scenario.
  bool WaitForDocument(ScenarioContext& ctx, PrintedDocument* document, int dpi = 36,
                       DWORD timeout_ms = 30000) const;

  // PDF files written since Open.
  std::vector<std::wstring> NewDocuments() const;

 private:
  std::wstring folder_;       // Windows path of the PDF folder
  std::wstring unix_folder_;  // the same for the renderer, which runs as a Unix program
  std::vector<std::wstring> before_;
};

// Reads a binary PPM (P6, 8 bits a sample); false when it is not one.
bool ReadPpm(const std::vector<uint8_t>& bytes, PageRaster* raster);
