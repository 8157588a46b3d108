// The edit window's save-options bar as a user meets it: JPEG chosen, a
// quality typed and Enter pressed in its field, and the save preview beside
// the picture, smaller and coarser the lower the quality.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kToggleEditWindow = 5310, kJpegType = 5803, kQualityLabel = 5861;
constexpr int kQualityField = 1061;
constexpr wchar_t kPreviewMark[] = L" .... ";

// The preview's size the title gives, in tenths of a KiB; -1 without one.
int PreviewTenths(const std::wstring& title) {
  const size_t at = title.find(kPreviewMark);
  if (at == std::wstring::npos) return -1;
  const std::wstring size = title.substr(at + wcslen(kPreviewMark));
  const size_t dot = size.find(L'.');
  if (dot == std::wstring::npos || size.size() < dot + 4 || size.substr(dot + 2) != L"KB") return -1;
  return std::stoi(size.substr(0, dot)) * 10 + (size[dot + 1] - L'0');
}

bool WaitForPreviewTitle(HWND edit, int not_tenths, int* tenths) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 8000; Sleep(50)) {
    *tenths = PreviewTenths(WindowTitle(edit));
    if (*tenths >= 0 && *tenths != not_tenths) return true;
  }
  return false;
}

// Mean difference per channel between the two panes, which show the same
// part of the picture at the same zoom.
double MeanDifference(const ClientPixels& a, const ClientPixels& b) {
  const int width = std::min(a.width, b.width), height = std::min(a.height, b.height);
  double sum = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = a.At(x, y), q = b.At(x, y);
      for (int shift : {0, 8, 16}) sum += std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF));
    }
  }
  return width * height > 0 ? sum / (3.0 * width * height) : 0;
}

struct PreviewShot {
  int tenths = -1;
  double difference = 0;
};

// Types the quality into its field, presses Enter there and reads what the
// preview shows.
bool PreviewAtQuality(ScenarioContext& ctx, HWND view, HWND edit, const wchar_t* quality,
                      int previous_tenths, PreviewShot* shot) {
  HWND field = FindControl(edit, kQualityField);
  if (!ctx.Expect(field && IsWindowVisible(field), "the quality field shows for JPEG")) return false;
  ctx.Expect(SendCommand(view, kQualityLabel), "its label puts the keys in the field");
  ctx.Expect(SendWithin(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(quality), nullptr),
             "the quality typed");
  SetForegroundWindow(edit);
  Sleep(200);
  PressKey(VK_RETURN);  // as the keyboard gives it, to the field that has the keys
  if (!ctx.Expect(WaitForPreviewTitle(edit, previous_tenths, &shot->tenths),
                  "Enter in the field makes the preview, its size in the title")) {
    return false;
  }
  Sleep(300);
  ClientPixels source, preview;
  HWND source_pane = FindWindowExW(edit, nullptr, L"Ovira_sch1_class", nullptr);
  HWND preview_pane = FindWindowExW(edit, nullptr, L"Ovira_sch2_class", nullptr);
  if (!ctx.Expect(IsWindowVisible(preview_pane), "the preview pane shows") ||
      !ctx.Expect(CaptureClient(source_pane, &source) && CaptureClient(preview_pane, &preview),
                  "both panes captured")) {
    return false;
  }
  shot->difference = MeanDifference(source, preview);
  return true;
}

}  // namespace

E2E_SCENARIO(JpegSavePreviewAtQualityTenIsSmallerAndCoarserThanAtNinety) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, 240, 180, 9), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view, {{62, 40}, {63, 40}, {64, 900}, {65, 600}}))
    return;
  if (!ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown")) return;
  ctx.Expect(SendCommand(view, kToggleEditWindow), "5310 answered");
  HWND edit = app.WaitForWindow(L"Ovira_swin_class", 5000);
  if (!ctx.Expect(edit != nullptr, "the edit window opens")) return Close(app, view);
  ctx.Expect(SendCommand(view, kJpegType), "JPEG chosen on the bar");

  PreviewShot fine, coarse;
  if (PreviewAtQuality(ctx, view, edit, L"90", -1, &fine) &&
      PreviewAtQuality(ctx, view, edit, L"10", fine.tenths, &coarse)) {
    ctx.Expect(coarse.tenths < fine.tenths,
               "quality 10 is smaller (" + std::to_string(coarse.tenths) + " against " +
                   std::to_string(fine.tenths) + " tenths of a KiB)");
    ctx.Expect(coarse.difference > fine.difference + 1.0,
               "and further from the picture (" + std::to_string(coarse.difference) +
                   " against " + std::to_string(fine.difference) + ")");
  }
  Close(app, view);
}
