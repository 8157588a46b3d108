#include "view/print_dialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/language_module_win.h"
#include "app/program_message_win.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "effects/area_downscale.h"
#include "image/status.h"
#include "lang/string_ids.h"
#include "view/millimetre_text.h"
#include "view/print_job_win.h"
#include "view/print_preview_win.h"
#include "view/printer_choice_win.h"

namespace {

constexpr INT_PTR kNoPrinter = 2;
constexpr uint32_t kMessageNoTrueColourCopy = 30011;
constexpr uint32_t kMessagePrinterFailed = 30012;
constexpr int kPreviewMargin = 7;
constexpr int kFieldStep = 10;  // the arrows move by a millimetre
constexpr int kSpinRange = 1000000;
constexpr int kFieldIds[] = {IDC_PRINT_LEFT, IDC_PRINT_TOP, IDC_PRINT_WIDTH, IDC_PRINT_HEIGHT};

struct PrintDialogState {
  const ImageBuffer* image = nullptr;
  OwnedImage small_copy;  // what the preview draws when the image is large
  PrintPage page;
  PrintPreviewSource preview_source;
  SIZE area = {1, 1};
};

PrintDialogState* State(HWND dialog) {
  return reinterpret_cast<PrintDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND Preview(HWND dialog) { return GetDlgItem(dialog, IDC_PRINT_PREVIEW); }

bool IsPlacementField(int id) { return id >= IDC_PRINT_LEFT && id <= IDC_PRINT_HEIGHT; }

// The preview fills the dialog's left part up to the marker control.
SIZE PlacePreview(HWND dialog) {
  RECT client, marker = {};
  GetClientRect(dialog, &client);
  if (HWND end = GetDlgItem(dialog, IDC_PRINT_AREA_END)) {
    GetWindowRect(end, &marker);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&marker), 2);
  }
  SIZE area = {std::max<LONG>(marker.left - 16, 1), std::max<LONG>(client.bottom - 16, 1)};
  SetWindowPos(Preview(dialog), nullptr, kPreviewMargin, kPreviewMargin, area.cx, area.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return area;
}

// Downscaling a large image once keeps painting and dragging quick; the
// preview is never more than twice the area across.
const ImageBuffer* PreviewPicture(PrintDialogState* state) {
  const ImageBuffer& image = *state->image;
  double fit = std::min(2.0 * state->area.cx / image.header.width,
                        2.0 * state->area.cy / image.header.height);
  if (fit >= 1) return &image;
  int32_t w = std::max(1, static_cast<int32_t>(image.header.width * fit));
  int32_t h = std::max(1, static_cast<int32_t>(image.header.height * fit));
  if (ScaleByAreaAverage(image, w, h, &state->small_copy.record) != Status::kOk) return &image;
  return &state->small_copy.record;
}

std::wstring DotsPerInchText(int32_t dpi) {
  return WithNumber(LanguageString(App().language.get(), IDS_PRINT_DPI), dpi);
}

void ShowFields(HWND dialog) {
  const PrintPage& page = State(dialog)->page;
  int32_t values[] = {page.stored.left, page.stored.top, page.stored.width,
                      PlacementHeightTenths(page.metrics, page.placement)};
  for (int i = 0; i < 4; ++i) {
    SetDlgItemTextW(dialog, kFieldIds[i], MillimetreText(values[i]).c_str());
  }
  SetDlgItemTextW(dialog, IDC_PRINT_IMAGE_DPI,
                  DotsPerInchText(EffectiveDpi(page)).c_str());
  SetDlgItemTextW(dialog, IDC_PRINT_PRINTER_DPI, DotsPerInchText(page.metrics.dpi_x).c_str());
}

void ShowMode(HWND dialog) {
  bool fill = State(dialog)->page.fill;
  CheckRadioButton(dialog, IDC_PRINT_PLACE, IDC_PRINT_FILL,
                   fill ? IDC_PRINT_FILL : IDC_PRINT_PLACE);
  for (int id : kFieldIds) {
    EnableWindow(GetDlgItem(dialog, id), !fill);
    EnableWindow(GetDlgItem(dialog, id + IDC_PRINT_SPIN_OFFSET), !fill);
  }
}

// Lays the page out again, keeps what lasts for the run and shows it all.
void Relayout(HWND dialog) {
  PrintDialogState* state = State(dialog);
  LayoutPrintPage(&state->page, state->area.cx, state->area.cy);
  ApplicationState& app = App();
  app.print_fill = state->page.fill;
  app.print_placement = state->page.stored;
  ShowFields(dialog);
  InvalidateRect(Preview(dialog), nullptr, FALSE);
}

void TakeMetrics(HWND dialog, HDC printer) {
  State(dialog)->page.metrics = ReadPrinterMetrics(printer);
  Relayout(dialog);
}

// The kept printer, or the default one on the first print of the run or
// when the kept one no longer answers.
UniqueDc OpenPrinter() {
  ApplicationState& app = App();
  if (!app.printer.empty()) {
    UniqueDc kept = CreatePrinterContext(app.printer);
    if (kept) return kept;
    app.printer.reset();
  }
  app.print_placement.width = 1000;
  return TakeDefaultPrinter(&app.printer);
}

void SetValue(PrintPage* page, int field, int32_t tenths) {
  switch (field) {
    case IDC_PRINT_LEFT: page->stored.left = tenths; break;
    case IDC_PRINT_TOP: page->stored.top = tenths; break;
    case IDC_PRINT_WIDTH: page->stored.width = tenths; break;
    case IDC_PRINT_HEIGHT:
      page->stored.width = PlacementWidthForHeight(page->metrics, page->image, tenths);
      break;
  }
}

// Takes what was typed into a field; text that is no length shows the
// value in force again.
void TakeField(HWND dialog, int field, int step = 0) {
  std::optional<int32_t> typed = ParseMillimetres(WindowText(GetDlgItem(dialog, field)));
  if (typed) SetValue(&State(dialog)->page, field, std::max(*typed + step, 0));
  Relayout(dialog);
}

void ChangePageSetup(HWND dialog) {
  ApplicationState& app = App();
  if (!ChoosePageSetup(dialog, State(dialog)->page.metrics, &app.printer)) return;
  UniqueDc printer = CreatePrinterContext(app.printer);
  if (printer) TakeMetrics(dialog, printer.get());
}

bool CanStretchDib(HDC printer) {
  return (GetDeviceCaps(printer, RASTERCAPS) & RC_STRETCHDIB) != 0;
}

std::wstring DocumentName() {
  const PathString& name = App().document.name;
  return name.empty() ? std::wstring(L"Ovira") : std::wstring(name);
}

void Print(HWND dialog) {
  UniqueDc printer;
  PrintDialogResult result = ChoosePrinter(dialog, &App().printer, &printer);
  if (result == PrintDialogResult::kCancel || !printer) return;
  if (!CanStretchDib(printer.get())) {
    ShowProgramMessage(kMessagePrinterFailed);
    return;
  }
  TakeMetrics(dialog, printer.get());
  if (result == PrintDialogResult::kApply) return;
  PrintDialogState* state = State(dialog);
  switch (PrintImage(printer.get(), state->page, *state->image, DocumentName())) {
    case PrintJobResult::kPrinted: EndDialog(dialog, IDOK); break;
    case PrintJobResult::kNoCopy: ShowProgramMessage(kMessageNoTrueColourCopy); break;
    case PrintJobResult::kFailed: ShowProgramMessage(kMessagePrinterFailed); break;
  }
}

// Enter in a field takes its value rather than printing at once.
void OnOk(HWND dialog) {
  int focused = GetDlgCtrlID(GetFocus());
  if (IsPlacementField(focused) && IsChild(dialog, GetFocus())) {
    TakeField(dialog, focused);
    SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
    return;
  }
  Print(dialog);
}

BOOL Start(HWND dialog, PrintDialogState* state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  state->area = PlacePreview(dialog);
  UniqueDc printer = OpenPrinter();
  if (!printer) {
    EndDialog(dialog, kNoPrinter);
    return TRUE;
  }
  ApplicationState& app = App();
  state->page.image = {state->image->header.width, state->image->header.height};
  state->page.fill = app.print_fill;
  state->page.stored = app.print_placement;
  state->preview_source = {&state->page, PreviewPicture(state)};
  SetPrintPreviewSource(Preview(dialog), &state->preview_source);
  for (int id : kFieldIds) {
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 8, 0);
    // Up must count up, and the arrows never reach an end of their own:
    // the default range runs backwards, and at an end no change is told.
    HWND spin = GetDlgItem(dialog, id + IDC_PRINT_SPIN_OFFSET);
    SendMessageW(spin, UDM_SETRANGE32, 0, kSpinRange);
    SendMessageW(spin, UDM_SETPOS32, 0, kSpinRange / 2);
  }
  TakeMetrics(dialog, printer.get());
  ShowMode(dialog);
  return TRUE;
}

BOOL OnCommand(HWND dialog, WPARAM wparam) {
  int id = LOWORD(wparam), code = HIWORD(wparam);
  if (IsPlacementField(id)) {
    if (code == EN_KILLFOCUS) TakeField(dialog, id);
    return TRUE;
  }
  switch (id) {
    case IDC_PRINT_PLACE:
    case IDC_PRINT_FILL:
      State(dialog)->page.fill = id == IDC_PRINT_FILL;
      Relayout(dialog);
      ShowMode(dialog);
      return TRUE;
    case IDC_PRINT_PAGE_SETUP: ChangePageSetup(dialog); return TRUE;
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
  }
  return FALSE;
}

BOOL OnNotify(HWND dialog, const NMHDR* header) {
  if (header->code != UDN_DELTAPOS) return FALSE;
  int field = static_cast<int>(header->idFrom) - IDC_PRINT_SPIN_OFFSET;
  if (!IsPlacementField(field)) return FALSE;
  const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
  TakeField(dialog, field, change->iDelta > 0 ? kFieldStep : -kFieldStep);
  // The arrows keep no position of their own: the field is the value.
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR CALLBACK PrintDialogProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return Start(dialog, reinterpret_cast<PrintDialogState*>(lparam));
    case WM_COMMAND: return State(dialog) ? OnCommand(dialog, wparam) : FALSE;
    case WM_NOTIFY:
      return State(dialog) ? OnNotify(dialog, reinterpret_cast<const NMHDR*>(lparam)) : FALSE;
    case kPrintPreviewDragged: Relayout(dialog); return TRUE;
  }
  return FALSE;
}

// The class exists only while a print dialog can use it; a class left
// from an earlier dialog is as good as a new one.
bool RegisterPreview(HINSTANCE instance) {
  return RegisterPrintPreviewClass(instance) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

void PrintCurrentImage() {
  ApplicationState& app = App();
  if (!app.current.pixels) return;
  if (!RegisterPreview(app.instance)) {
    ShowProgramMessage(kMessageNoMemory);
    return;
  }
  PrintDialogState state;
  state.image = &app.current;
  if (app.list_window) EnableWindow(app.list_window, FALSE);
  INT_PTR result = ShowModalDialog(IDD_PRINT, OwnerWindow(), PrintDialogProcedure,
                                   reinterpret_cast<LPARAM>(&state));
  if (app.list_window) EnableWindow(app.list_window, TRUE);
  if (result == -1) ShowProgramMessage(kMessageNoMemory);
  if (result == kNoPrinter) ShowProgramMessage(kMessagePrinterFailed);
  UnregisterPrintPreviewClass(app.instance);
}
