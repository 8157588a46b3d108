#include "view/print_job_win.h"

#include "image/page_memory.h"
#include "image/palette_expand.h"

namespace {

// The image's header as 24 bits per pixel, for its expanded copy.
BITMAPINFOHEADER TrueColourHeader(const ImageBuffer& image) {
  BITMAPINFOHEADER h = {};
  h.biSize = sizeof(h);
  h.biWidth = image.header.width;
  h.biHeight = image.header.height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return h;
}

// Ends the document on every way out, abandoning it unless told it is done.
class PrintDocument {
 public:
  PrintDocument(HDC printer, const std::wstring& name) : printer_(printer) {
    DOCINFOW info = {sizeof(info)};
    info.lpszDocName = name.c_str();
    started_ = StartDocW(printer, &info) > 0;
  }
  ~PrintDocument() {
    if (started_ && !finished_) AbortDoc(printer_);
  }
  PrintDocument(const PrintDocument&) = delete;
  PrintDocument& operator=(const PrintDocument&) = delete;
  bool started() const { return started_; }
  bool Finish() {
    finished_ = true;
    return EndDoc(printer_) > 0;
  }

 private:
  HDC printer_;
  bool started_ = false;
  bool finished_ = false;
};

bool PrintRows(HDC printer, const PrintPage& page, const BITMAPINFO* info, const void* rows) {
  PrintedPart part = PrintedPartOf(page);
  SetStretchBltMode(printer, HALFTONE);
  SetBrushOrgEx(printer, 0, 0, nullptr);
  // Rows are stored bottom-up, so the source's y counts from the bottom.
  int source_y = page.image.height - part.source.top - part.source.height;
  return StretchDIBits(printer, part.target.left, part.target.top, part.target.width,
                       part.target.height, part.source.left, source_y, part.source.width,
                       part.source.height, rows, info, DIB_RGB_COLORS, SRCCOPY) > 0;
}

}  // namespace

PrintJobResult PrintImage(HDC printer, const PrintPage& page, const ImageBuffer& image,
                          const std::wstring& document) {
  // Printer drivers handle palette images unevenly; every page goes out as
  // blue-green-red rows.
  PageBlock copy;
  BITMAPINFOHEADER header = TrueColourHeader(image);
  const void* rows = image.pixels;
  if (image.header.bit_count != 24) {
    copy = ExpandTo24Bits(image.palette, image.pixels, image.header.width, image.header.height);
    if (!copy) return PrintJobResult::kNoCopy;
    rows = copy.data();
  }
  PrintDocument job(printer, document);
  if (!job.started() || StartPage(printer) <= 0) return PrintJobResult::kFailed;
  bool drawn = PrintRows(printer, page, reinterpret_cast<const BITMAPINFO*>(&header), rows);
  bool ended = EndPage(printer) > 0;
  if (!drawn || !ended) return PrintJobResult::kFailed;
  return job.Finish() ? PrintJobResult::kPrinted : PrintJobResult::kFailed;
}
