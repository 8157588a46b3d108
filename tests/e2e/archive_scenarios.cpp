// Pictures inside a ZIP archive as a user meets them: the archive given on
// the command line shows its first picture, and the arrow keys step through
// the others, the title naming each member with its folder.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/zip_maker.h"

namespace {

void PressArrow(HWND view, UINT key) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(view, WM_KEYDOWN, key, 1 | LPARAM(scan) << 16 | LPARAM(1) << 24);
  PostMessageW(view, WM_KEYUP, key, 1 | LPARAM(scan) << 16 | LPARAM(1) << 24 | LPARAM(3) << 30);
}

// photos.zip with a picture at the top and two in the folder "trip", stored
// in an order the list does not keep; the pictures are written with the
// program's own encoder and then packed.
bool WritePhotos(AppInstance& app, std::wstring* zip) {
  struct Picture {
    const char* member;
    int width;
  };
  const Picture pictures[] = {{"trip/b.bmp", 150}, {"cover.bmp", 120}, {"trip/a.bmp", 180}};
  std::vector<MadeMember> members;
  for (const Picture& p : pictures) {
    const std::wstring loose = app.folder() + L"\\loose.bmp";
    if (!WritePatternBmp(loose, p.width, 80, uint32_t(p.width))) return false;
    members.push_back({p.member, ReadFileBytes(loose), 8});
    DeleteFileW(loose.c_str());
  }
  *zip = app.folder() + L"\\photos.zip";
  const std::vector<uint8_t> bytes = MakeZip(members).bytes;
  HANDLE file = CreateFileW(zip->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace

E2E_SCENARIO(AZipOfThreePicturesStepsThroughItsMembersWithTheirPaths) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring zip;
  if (!ctx.Expect(WritePhotos(app, &zip), "photos.zip written")) return;
  HWND view = nullptr;
  if (!StartViewerOn(ctx, app, Quoted(zip), &view)) return;
  // Top-level members come first, then the folder's in name order.
  if (!ctx.Expect(WaitForTitle(view, L"photos.zip::cover.bmp  ( 120x80"),
                  "the top-level picture shows first"))
    return Close(app, view);
  PressArrow(view, VK_DOWN);
  ctx.Expect(WaitForTitle(view, L"photos.zip::trip\\a.bmp  ( 180x80"), "Down shows trip\\a.bmp");
  PressArrow(view, VK_DOWN);
  ctx.Expect(WaitForTitle(view, L"photos.zip::trip\\b.bmp  ( 150x80"), "Down shows trip\\b.bmp");
  PressArrow(view, VK_DOWN);
  Sleep(300);
  ctx.Expect(WaitForTitle(view, L"photos.zip::trip\\b.bmp", 500), "Down at the last member stays");
  PressArrow(view, VK_UP);
  ctx.Expect(WaitForTitle(view, L"photos.zip::trip\\a.bmp"), "Up goes back to trip\\a.bmp");
  Close(app, view);
}
