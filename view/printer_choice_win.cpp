// The print dialog's extended record is declared only where the COM
// macros are: they must come before <windows.h> pulls in the dialogs.
#include <objbase.h>

#include "view/printer_choice_win.h"

#include <commdlg.h>

#include <string>

namespace {

// GlobalLock for the life of the object.
template <typename T>
class GlobalView {
 public:
  explicit GlobalView(HGLOBAL block)
      : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
  ~GlobalView() {
    if (data_) GlobalUnlock(block_);
  }
  GlobalView(const GlobalView&) = delete;
  GlobalView& operator=(const GlobalView&) = delete;
  T* get() const { return data_; }

 private:
  HGLOBAL block_;
  T* data_;
};

// The device name inside a DEVNAMES block, which may be shorter than it
// claims: the name is copied only as far as the block goes.
std::wstring DeviceName(HGLOBAL dev_names) {
  GlobalView<BYTE> names(dev_names);
  if (!names.get()) return {};
  size_t bytes = GlobalSize(dev_names);
  const auto* header = reinterpret_cast<const DEVNAMES*>(names.get());
  if (bytes < sizeof(DEVNAMES)) return {};
  size_t start = size_t{header->wDeviceOffset} * sizeof(wchar_t);
  if (start >= bytes) return {};
  const auto* text = reinterpret_cast<const wchar_t*>(names.get() + start);
  size_t most = (bytes - start) / sizeof(wchar_t);
  size_t length = 0;
  while (length < most && text[length]) ++length;
  return std::wstring(text, length);
}

// Takes back the blocks a common dialog handed out in place of ours.
void TakeBlocks(HGLOBAL dev_mode, HGLOBAL dev_names, PrinterChoice* choice) {
  if (dev_mode != choice->dev_mode.get()) {
    choice->dev_mode.release();  // the dialog has freed it already
    choice->dev_mode.reset(dev_mode);
  }
  if (dev_names != choice->dev_names.get()) {
    choice->dev_names.release();
    choice->dev_names.reset(dev_names);
  }
}

LONG HundredthsOfMillimetre(int32_t pixels, int32_t dpi) {
  return static_cast<LONG>(MulDiv(pixels, 2540, dpi));
}

}  // namespace

UniqueDc CreatePrinterContext(const PrinterChoice& choice) {
  std::wstring device = DeviceName(choice.dev_names.get());
  if (device.empty()) return UniqueDc();
  GlobalView<DEVMODEW> mode(choice.dev_mode.get());
  return UniqueDc(CreateDCW(L"WINSPOOL", device.c_str(), nullptr, mode.get()));
}

UniqueDc TakeDefaultPrinter(PrinterChoice* choice) {
  PRINTDLGW request = {};
  request.lStructSize = sizeof(request);
  request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgW(&request)) return UniqueDc();
  choice->dev_mode.reset(request.hDevMode);
  choice->dev_names.reset(request.hDevNames);
  return UniqueDc(request.hDC);
}

PrinterMetrics ReadPrinterMetrics(HDC printer) {
  PrinterMetrics m;
  m.dpi_x = GetDeviceCaps(printer, LOGPIXELSX);
  m.dpi_y = GetDeviceCaps(printer, LOGPIXELSY);
  m.paper_width = GetDeviceCaps(printer, PHYSICALWIDTH);
  m.paper_height = GetDeviceCaps(printer, PHYSICALHEIGHT);
  m.offset_x = GetDeviceCaps(printer, PHYSICALOFFSETX);
  m.offset_y = GetDeviceCaps(printer, PHYSICALOFFSETY);
  m.printable_width = GetDeviceCaps(printer, HORZRES);
  m.printable_height = GetDeviceCaps(printer, VERTRES);
  return HeldPrinterMetrics(m);
}

bool ChoosePageSetup(HWND owner, const PrinterMetrics& m, PrinterChoice* choice) {
  PAGESETUPDLGW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.hDevMode = choice->dev_mode.get();
  request.hDevNames = choice->dev_names.get();
  request.Flags = PSD_INHUNDREDTHSOFMILLIMETERS | PSD_MINMARGINS | PSD_MARGINS |
                  PSD_DISABLEMARGINS;
  RECT edges = {HundredthsOfMillimetre(m.offset_x, m.dpi_x),
                HundredthsOfMillimetre(m.offset_y, m.dpi_y),
                HundredthsOfMillimetre(m.paper_width - m.offset_x - m.printable_width, m.dpi_x),
                HundredthsOfMillimetre(m.paper_height - m.offset_y - m.printable_height, m.dpi_y)};
  request.rtMinMargin = edges;
  request.rtMargin = edges;
  BOOL accepted = PageSetupDlgW(&request);
  TakeBlocks(request.hDevMode, request.hDevNames, choice);
  return accepted != FALSE;
}

PrintDialogResult ChoosePrinter(HWND owner, PrinterChoice* choice, UniqueDc* printer) {
  PRINTDLGEXW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.hDevMode = choice->dev_mode.get();
  request.hDevNames = choice->dev_names.get();
  request.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_NOCURRENTPAGE;
  request.nCopies = 1;
  request.nStartPage = START_PAGE_GENERAL;
  HRESULT result = PrintDlgExW(&request);
  if (FAILED(result)) return PrintDialogResult::kCancel;
  TakeBlocks(request.hDevMode, request.hDevNames, choice);
  UniqueDc context(request.hDC);
  switch (request.dwResultAction) {
    case PD_RESULT_APPLY: *printer = std::move(context); return PrintDialogResult::kApply;
    case PD_RESULT_PRINT: *printer = std::move(context); return PrintDialogResult::kPrint;
    default: return PrintDialogResult::kCancel;
  }
}
