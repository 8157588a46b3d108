// The file-list window as a user meets it: 5311 brings it up beside the
// viewer with the folder in the chosen order, and a click on a row opens
// that picture.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kFileListWindow = 5311;
constexpr int kListBox = 1030;
constexpr int kSortOrder = 209, kBySize = 2;

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

// Pictures whose names and sizes sort in opposite orders: a.bmp is the
// largest file, c.bmp the smallest.
bool WriteThreeImages(AppInstance& app, std::wstring* first_path) {
  for (int i = 0; i < 3; ++i) {
    std::wstring path = app.folder() + L"\\" + std::wstring(1, wchar_t(L'a' + i)) + L".bmp";
    if (!WritePatternBmp(path, 160 - 20 * i, 90, uint32_t(i + 1))) return false;
    if (i == 0) *first_path = path;
  }
  return true;
}

void Click(HWND box, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(box, WM_LBUTTONUP, 0, at);
}

}  // namespace

E2E_SCENARIO(FileListOpensBesideTheViewerAndARowClickOpensThatPicture) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring first;
  if (!ctx.Expect(WriteThreeImages(app, &first), "pictures written")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings({{33, 0}, {49, 300}, {50, 60}, {51, 520},
                                                        {52, 420}, {kSortOrder, kBySize}}));
  if (!ctx.Expect(app.Start(Quoted(first)), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  if (!ctx.Expect(WaitForTitle(view, L"a.bmp"), "a.bmp is shown")) return;

  ctx.Expect(SendCommand(view, kFileListWindow), "5311 answered");
  HWND list = app.WaitForWindow(L"Ovira_list_class", 3000);
  if (!ctx.Expect(list != nullptr, "the file list appears")) return Close(app, view);
  const RECT shown = WindowRect(list), beside = WindowRect(view);
  ctx.Expect(shown.right == beside.left && shown.top == beside.top,
             "its right edge at the viewer's left edge, tops aligned");
  HWND box = GetDlgItem(list, kListBox);
  ctx.Expect(SendMessageW(box, LB_GETCOUNT, 0, 0) == 3, "one row per picture");
  // By size the largest, a.bmp, comes last.
  ctx.Expect(SendMessageW(box, LB_GETCURSEL, 0, 0) == 2, "the open picture's row is selected");

  const int row_height = static_cast<int>(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0));
  Click(box, 20, row_height / 2);
  ctx.Expect(WaitForTitle(view, L"c.bmp"), "a click on the first row opens the smallest picture");
  ctx.Expect(SendMessageW(box, LB_GETCURSEL, 0, 0) == 0, "and its row is selected");

  ctx.Expect(SendCommand(view, kFileListWindow), "5311 answered again");
  Sleep(200);
  ctx.Expect(!IsWindow(list), "a second 5311 closes the list");
  Close(app, view);
}
