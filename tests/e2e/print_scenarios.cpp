// Printing as a user meets it, down to the paper: 5060 opens the print
// dialog with its preview, the system print dialog is answered with OK, and
// the page that comes out of the test print queue (a PDF, rendered back to
// pixels) shows the image where the dialog said it would be.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/printed_pages.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kPrintCommand = 5060;
constexpr int kPreview = 1032;
constexpr int kPlacementMode = 4110, kFillMode = 4111;
constexpr int kLeftField = 4140, kTopField = 4141, kWidthField = 4142, kHeightField = 4143;
constexpr int kImageResolution = 4162, kPrinterResolution = 4164;
constexpr double kMmPerInch = 25.4;

// What a pixel of the page or the preview shows, told apart with room for
// the printer's and the renderer's rounding.
enum class Ink { kWhite, kRed, kYellow, kGreen, kBlue, kOther };

Ink InkOf(uint32_t colour) {
  const int r = colour >> 16 & 0xFF, g = colour >> 8 & 0xFF, b = colour & 0xFF;
  auto high = [](int v) { return v >= 190; };
  auto low = [](int v) { return v <= 70; };
  if (high(r) && high(g) && high(b)) return Ink::kWhite;
  if (high(r) && low(g) && low(b)) return Ink::kRed;
  if (high(r) && high(g) && low(b)) return Ink::kYellow;
  if (low(r) && high(g) && low(b)) return Ink::kGreen;
  if (low(r) && low(g) && high(b)) return Ink::kBlue;
  return Ink::kOther;
}

Ink BandInk(int column) {
  switch (BandColour(column, 0, 0)) {
    case 0xFF0000: return Ink::kRed;
    case 0xFFFF00: return Ink::kYellow;
    case 0x00FF00: return Ink::kGreen;
    default: return Ink::kBlue;
  }
}

const char* InkName(Ink ink) {
  static const char* const kNames[] = {"white", "red", "yellow", "green", "blue", "another colour"};
  return kNames[int(ink)];
}

std::string PixelText(int x, int y, uint32_t colour) {
  char text[64];
  std::snprintf(text, sizeof(text), "(%d, %d) is #%06X", x, y, unsigned(colour));
  return text;
}

// The ink each pixel should show, or kOther where either is fine (band
// borders and edges, where halftoning and the renderer's smoothing mix).
using ExpectedInk = std::function<Ink(int x, int y)>;

void ExpectInks(ScenarioContext& ctx, const PageRaster& page, const ExpectedInk& expected,
                const std::string& what) {
  int wrong = 0;
  std::string first;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) {
      const Ink want = expected(x, y);
      if (want == Ink::kOther || InkOf(page.At(x, y)) == want) continue;
      if (wrong++ == 0) first = PixelText(x, y, page.At(x, y)) + ", not " + InkName(want);
    }
  }
  ctx.Expect(wrong == 0, what + " (" + std::to_string(wrong) + " pixels differ; " + first + ")");
}

// For the preview as captured and the page as rendered alike.
template <typename Raster>
int CountInk(const Raster& pixels, Ink ink) {
  int count = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) count += InkOf(pixels.At(x, y)) == ink;
  }
  return count;
}

// The band picture opened in a viewer, and the print dialog over it.
bool OpenPrintDialog(ScenarioContext& ctx, AppInstance& app, HWND* view, HWND* dialog) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  const std::wstring picture = app.folder() + L"\\bands.bmp";
  if (!ctx.Expect(WriteBandsBmp(picture), "bands.bmp written")) return false;
  if (!StartViewerOn(ctx, app, Quoted(picture), view)) return false;
  if (!ctx.Expect(WaitForTitle(*view, L"bands.bmp"), "bands.bmp shows")) return false;
  PostMessageW(*view, WM_COMMAND, kPrintCommand, 0);
  *dialog = app.WaitForWindow(L"#32770", 5000);
  if (!ctx.Expect(*dialog != nullptr, "5060 opens the print dialog")) return false;
  if (!ctx.Expect(GetDlgItem(*dialog, kPreview) != nullptr,
                  "the window 5060 opens is the print dialog with its preview, not " +
                      DescribeWindow(*dialog)))
    return false;
  // The preview paints after the dialog is shown.
  Sleep(300);
  return true;
}

bool Click(ScenarioContext& ctx, HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return ctx.Expect(button && SendWithin(button, BM_CLICK, 0, 0),
                    "button " + std::to_string(id) + " of the print dialog can be clicked");
}

// The dialog takes a field's value when the field loses the focus.
bool SetField(ScenarioContext& ctx, HWND dialog, int id, const wchar_t* millimetres) {
  HWND field = GetDlgItem(dialog, id);
  return ctx.Expect(field && SendWithin(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(millimetres)) &&
                        SendWithin(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                                   reinterpret_cast<LPARAM>(field)),
                    "field " + std::to_string(id) + " takes " + Narrow(millimetres));
}

double FieldNumber(HWND dialog, int id) {
  return _wtof(ControlText(GetDlgItem(dialog, id)).c_str());
}

// The system print dialog has the same caption as ours: it is the other one.
HWND WaitForSystemPrintDialog(const AppInstance& app, HWND ours, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  do {
    for (HWND dialog : OpenDialogsOfProcess(app.process_id())) {
      if (dialog != ours) return dialog;
    }
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

// "Print..." and OK in the system dialog; ours closes once the page is out.
bool PrintThroughSystemDialog(ScenarioContext& ctx, const AppInstance& app, HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  HWND system = WaitForSystemPrintDialog(app, dialog, 5000);
  if (!ctx.Expect(system != nullptr, "\"Print...\" opens the system print dialog")) return false;
  if (!ctx.Expect(WindowTitle(system) == L"Print" && GetDlgItem(system, IDOK),
                  "the system print dialog comes up, not " + DescribeWindow(system))) {
    FailOnDialogs({system}, "printing");
    return false;
  }
  PostMessageW(system, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(system, IDOK)));
  const DWORD start = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - start < 20000) Sleep(100);
  if (ctx.Expect(!IsWindow(dialog), "the print dialog closes after printing")) return true;
  FailOnDialogs(OpenDialogsOfProcess(app.process_id()), "after printing");
  return false;
}

// Exactly one document of one page came out; its first page is returned.
bool ExpectOnePrintedPage(ScenarioContext& ctx, const PrintOutput& output, PrintedDocument* printed) {
  if (!output.WaitForDocument(ctx, printed)) return false;
  // A second job would follow the first within moments.
  Sleep(1500);
  const size_t documents = output.NewDocuments().size();
  ctx.Expect(documents == 1, "one document printed, not " + std::to_string(documents));
  return ctx.Expect(printed->pages == 1, "the document has one page, not " + std::to_string(printed->pages));
}

// Whether a position lies within `slack` pixels of a border, where either ink is fine.
bool Near(double position, double border, double slack) { return std::fabs(position - border) <= slack; }

}  // namespace

// The dialog shows the test printer's resolution, and its preview the
// picture on a white page, cropped the same way when it fills the page.
E2E_SCENARIO(PrintShowsThePictureOnAWhitePageInThePreview) {
  PrintOutput output;
  if (!output.Open(ctx)) return;
  AppInstance app(ctx.bin_dir);
  HWND view = nullptr, dialog = nullptr;
  if (!OpenPrintDialog(ctx, app, &view, &dialog)) return Close(app, view);
  const std::wstring printer_dpi = ControlText(GetDlgItem(dialog, kPrinterResolution));
  ctx.Expect(printer_dpi.rfind(L"300", 0) == 0,
             "the printer's resolution reads 300 dpi, not \"" + Narrow(printer_dpi) + "\"");

  ClientPixels preview;
  Click(ctx, dialog, kPlacementMode);
  Sleep(300);
  if (ctx.Expect(CaptureClient(GetDlgItem(dialog, kPreview), &preview), "the preview can be captured")) {
    ctx.Expect(CountInk(preview, Ink::kWhite) > preview.width * preview.height / 4,
               "placing the picture, the preview shows a white page around it");
    for (Ink ink : {Ink::kRed, Ink::kYellow, Ink::kGreen, Ink::kBlue}) {
      ctx.Expect(CountInk(preview, ink) >= 9, std::string("and the picture's ") + InkName(ink) + " band");
    }
  }
  Click(ctx, dialog, kFillMode);
  Sleep(300);
  if (ctx.Expect(CaptureClient(GetDlgItem(dialog, kPreview), &preview), "the preview can be captured")) {
    ctx.Expect(CountInk(preview, Ink::kYellow) >= 100 && CountInk(preview, Ink::kGreen) >= 100,
               "filling the page, the preview shows the yellow and the green band");
    ctx.Expect(CountInk(preview, Ink::kRed) == 0 && CountInk(preview, Ink::kBlue) == 0,
               "but not the red or the blue band the page's proportions crop away");
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(200);
  ctx.Expect(output.NewDocuments().empty(), "closing the dialog prints nothing");
  Close(app, view);
}

// A 60 x 40 picture filling a portrait A4 page keeps its full height and
// the middle 28 columns: the yellow band on the left half, the green one on
// the right, from edge to edge.
E2E_SCENARIO(PrintFillsThePageWithTheCentreOfThePicture) {
  PrintOutput output;
  if (!output.Open(ctx)) return;
  AppInstance app(ctx.bin_dir);
  HWND view = nullptr, dialog = nullptr;
  if (!OpenPrintDialog(ctx, app, &view, &dialog)) return Close(app, view);
  if (!Click(ctx, dialog, kFillMode) || !PrintThroughSystemDialog(ctx, app, dialog))
    return Close(app, view);
  PrintedDocument printed;
  if (ExpectOnePrintedPage(ctx, output, &printed)) {
    const PageRaster& page = printed.first_page;
    const double middle = page.width / 2.0, slack = 2.5;
    ExpectInks(ctx, page,
               [&](int x, int y) {
                 const double centre = x + 0.5;
                 if (Near(centre, middle, slack) || x == 0 || y == 0 || x == page.width - 1 ||
                     y == page.height - 1)
                   return Ink::kOther;
                 return centre < middle ? Ink::kYellow : Ink::kGreen;
               },
               "the page is yellow on the left half and green on the right, edge to edge");
    ctx.Expect(CountInk(page, Ink::kRed) == 0 && CountInk(page, Ink::kBlue) == 0,
               "with nothing of the red and the blue band");
  }
  Close(app, view);
}

// Placed 50 mm from the left, 30 mm from the top and 100 mm wide, the
// picture prints 66.7 mm high at exactly that place, with white around it.
E2E_SCENARIO(PrintPlacesThePictureWhereTheFieldsSay) {
  PrintOutput output;
  if (!output.Open(ctx)) return;
  AppInstance app(ctx.bin_dir);
  HWND view = nullptr, dialog = nullptr;
  if (!OpenPrintDialog(ctx, app, &view, &dialog)) return Close(app, view);
  if (!Click(ctx, dialog, kPlacementMode) || !SetField(ctx, dialog, kLeftField, L"50") ||
      !SetField(ctx, dialog, kTopField, L"30") || !SetField(ctx, dialog, kWidthField, L"100"))
    return Close(app, view);
  const double height_mm = 100.0 * kBandsHeight / kBandsWidth;
  const double shown_height = FieldNumber(dialog, kHeightField);
  ctx.Expect(std::fabs(shown_height - height_mm) < 0.2,
             "the height follows the width: 66.7 mm, not " + std::to_string(shown_height));
  // 300 dpi x 60 pixels / 100 mm in printer pixels.
  const std::wstring image_dpi = ControlText(GetDlgItem(dialog, kImageResolution));
  ctx.Expect(image_dpi.rfind(L"15", 0) == 0 && !iswdigit(image_dpi.c_str()[2]),
             "the picture prints at 15 dpi, not \"" + Narrow(image_dpi) + "\"");
  if (!PrintThroughSystemDialog(ctx, app, dialog)) return Close(app, view);
  PrintedDocument printed;
  if (ExpectOnePrintedPage(ctx, output, &printed)) {
    const double per_mm = printed.dpi / kMmPerInch;
    const double left = 50 * per_mm, top = 30 * per_mm, right = 150 * per_mm,
                 bottom = (30 + height_mm) * per_mm, slack = 2.5;
    ExpectInks(ctx, printed.first_page,
               [&](int x, int y) {
                 const double cx = x + 0.5, cy = y + 0.5;
                 if (Near(cx, left, slack) || Near(cx, right, slack) || Near(cy, top, slack) ||
                     Near(cy, bottom, slack))
                   return Ink::kOther;
                 if (cx < left || cx > right || cy < top || cy > bottom) return Ink::kWhite;
                 const double column = (cx - left) / (right - left) * kBandsWidth;
                 for (int border : {16, 30, 44}) {
                   if (Near(column, border, slack * kBandsWidth / (right - left))) return Ink::kOther;
                 }
                 return BandInk(int(column));
               },
               "the page shows the four bands from 50 to 150 mm across and 30 to 96.7 mm down, "
               "white elsewhere");
  }
  Close(app, view);
}
