// Our own plug-ins as a user meets them: with no plug-in folder set, the
// "plugins" folder beside the program is used, so a compressed TIFF and a
// WebP picture open like any other, the folder steps through them with the
// built-in formats, and the open dialog offers the plug-ins' patterns.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kFileTypeList = 0x470;  // the open dialog's file type combo box

// Pictures the test script made with ImageMagick and cwebp.
std::wstring Fixture(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"OVIRA_E2E_FIXTURES", folder, MAX_PATH)) return {};
  return std::wstring(folder) + L"\\" + name;
}

// a.bmp (built in), b.tif (LZW) and c.webp in a folder of their own.
bool WritePictures(AppInstance& app, std::wstring* first) {
  const std::wstring folder = app.folder() + L"\\pictures";
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
  *first = folder + L"\\a.bmp";
  return WritePatternBmp(*first, 40, 30, 5) &&
         CopyFileW(Fixture(L"lzw.tif").c_str(), (folder + L"\\b.tif").c_str(), FALSE) &&
         CopyFileW(Fixture(L"lossy.webp").c_str(), (folder + L"\\c.webp").c_str(), FALSE);
}

}  // namespace

E2E_SCENARIO(OurPluginsBesideTheProgramOpenCompressedTiffAndWebpAmongTheBuiltInFormats) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  if (!ctx.Expect(ShipPlugins(ctx.bin_dir, app), "plugins\\ beside the program")) return;
  std::wstring first;
  if (!ctx.Expect(WritePictures(app, &first), "pictures written (the test script makes them)")) return;
  HWND view = nullptr;
  if (!StartViewerOn(ctx, app, Quoted(first), &view)) return;
  if (!ctx.Expect(WaitForTitle(view, L"a.bmp  ( 40x30"), "a.bmp shows")) return Close(app, view);
  PostMessageW(view, WM_COMMAND, 5703, 0);
  ctx.Expect(WaitForTitle(view, L"b.tif  ( 64x48"), "Down opens the LZW TIFF through tiffx.spi");
  PostMessageW(view, WM_COMMAND, 5703, 0);
  ctx.Expect(WaitForTitle(view, L"c.webp  ( 80x60"), "and then the WebP picture through webp.spi");

  PostMessageW(view, WM_COMMAND, 5010, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(dialog != nullptr, "the open dialog opens")) {
    HWND types = FindControl(dialog, kFileTypeList);
    if (ctx.Expect(types != nullptr, "with its list of file types")) {
      LRESULT count = 0;
      SendWithin(types, CB_GETCOUNT, 0, 0, &count);
      SendWithin(types, CB_SETCURSEL, WPARAM(count - 2), 0);
      ctx.Expect(ControlText(types) == L"Plug-in formats (*.webp)",
                 "the plug-ins' patterns come before \"All files\"");
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
  }
  Close(app, view);
}
