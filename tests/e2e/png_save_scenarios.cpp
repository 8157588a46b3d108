// Saving as PNG as a user does it: the type and the options chosen in the
// save dialog, checked in the bytes of the file written.
#include <windows.h>
// after windows.h, whose types it uses
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kPngDepthBox = 3704;  // the PNG depth list of the save panel

// Chooses the list item whose data is `value`; false when there is none.
bool ChooseItem(HWND box, LRESULT value) {
  LRESULT count = 0;
  if (!SendWithin(box, CB_GETCOUNT, 0, 0, &count)) return false;
  for (LRESULT row = 0; row < count; ++row) {
    LRESULT data = 0;
    if (SendWithin(box, CB_GETITEMDATA, row, 0, &data) && data == value) {
      return SendWithin(box, CB_SETCURSEL, row, 0);
    }
  }
  return false;
}

uint32_t BigEndian32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

}  // namespace

E2E_SCENARIO(SaveAsFourBitPngThroughTheSaveDialog) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\scene.bmp";
  WritePatternBmp(picture, 40, 30, 5);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"scene.bmp"), "scene.bmp opens");

  PostMessageW(view, WM_COMMAND, 5012, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (!ctx.Expect(dialog != nullptr, "the save dialog opens")) return Close(app, view);
  Sleep(300);
  HWND types = FindControl(dialog, cmb1);
  if (!ctx.Expect(types != nullptr, "the dialog lists the types")) return Close(app, view);
  SendWithin(types, CB_SETCURSEL, 1, 0);  // BMP, PNG
  SendWithin(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
  SendWithin(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
  HWND depth = FindControl(dialog, kPngDepthBox);
  ctx.Expect(depth && IsWindowVisible(depth), "the PNG type shows its depth list");
  ctx.Expect(depth && ChooseItem(depth, 4), "4 bits per pixel is offered");
  HWND name = FindControl(dialog, cmb13);
  if (!name) name = FindControl(dialog, edt1);
  if (!ctx.Expect(name != nullptr, "the file name box is there")) return Close(app, view);
  std::wstring target = app.folder() + L"\\saved.png";
  SendWithin(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);

  std::vector<uint8_t> png;
  for (DWORD start = GetTickCount(); png.size() < 33 && GetTickCount() - start < 5000;) {
    Sleep(100);
    if (WaitForFile(target, 100)) png = ReadFileBytes(target);
  }
  if (ctx.Expect(png.size() >= 33, "saved.png is written")) {
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ctx.Expect(std::equal(signature, signature + 8, png.begin()),
               "it starts with the PNG signature");
    ctx.Expect(std::string(png.begin() + 12, png.begin() + 16) == "IHDR" &&
                   BigEndian32(png, 16) == 40 && BigEndian32(png, 20) == 30,
               "its header gives the image's 40 x 30 pixels");
    ctx.Expect(png[24] == 4 && png[25] == 3, "at 4 bits per pixel with a palette (colour type 3)");
  }
  Close(app, view);
}
