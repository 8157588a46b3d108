// The Exif dialog as a user meets it: 5041 on a photograph that exiftool
// gave a camera make and model opens the list with those rows, and Ctrl+C
// puts the rows on the clipboard as text.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr int kExifList = 4041;

std::wstring Fixture(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"OVIRA_E2E_FIXTURES", folder, MAX_PATH)) return {};
  return std::wstring(folder) + L"\\" + name;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

E2E_SCENARIO(TheExifDialogOnAPhotographListsItsCameraAndCopiesTheRows) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring photo = app.folder() + L"\\camera.jpg";
  if (!ctx.Expect(CopyFileW(Fixture(L"camera.jpg").c_str(), photo.c_str(), FALSE),
                  "camera.jpg made by the test script with exiftool"))
    return;
  HWND view = nullptr;
  if (!StartViewerOn(ctx, app, Quoted(photo), &view)) return;
  if (!ctx.Expect(WaitForTitle(view, L"camera.jpg"), "camera.jpg shows")) return Close(app, view);
  PostMessageW(view, WM_COMMAND, 5041, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (!ctx.Expect(dialog != nullptr, "5041 opens the Exif dialog")) return Close(app, view);
  HWND list = GetDlgItem(dialog, kExifList);
  LRESULT rows = 0;
  SendWithin(list, LVM_GETITEMCOUNT, 0, 0, &rows);
  ctx.Expect(rows >= 2, "its list has a row for the make and one for the model");
  SetForegroundWindow(dialog);
  SetFocus(list);
  Sleep(200);
  PressCtrlKey('A');
  PressCtrlKey('C');
  std::wstring copied;
  for (int i = 0; i < 40 && copied.find(L"Model") == std::wstring::npos; ++i) {
    Sleep(50);
    copied = ClipboardText();
  }
  ctx.Expect(copied.find(L"Model\tOvira Test Camera\r\n") != std::wstring::npos,
             "Ctrl+C copies the camera model row");
  ctx.Expect(copied.find(L"Make\tOvira Works\r\n") != std::wstring::npos, "and the make row");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(200);
  Close(app, view);
}
