// Deleting the shown file, with the desktop's recycle bin there and with it
// gone: the shell moves the file to the trash without a question, or warns
// that it would be lost for good, and No keeps everything as it was.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kDelete = 5032, kFirst = 5700, kLast = 5703;

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Three pictures of different colours, so the one shown is known by sight.
void WriteThreePictures(const AppInstance& app) {
  WriteSolidBmp(app.folder() + L"\\a.bmp", 20, 20, 0xC02020);
  WriteSolidBmp(app.folder() + L"\\b.bmp", 20, 20, 0x20C020);
  WriteSolidBmp(app.folder() + L"\\c.bmp", 20, 20, 0x2020C0);
}

// Makes the trash unusable for the scenario's lifetime: the folder is moved
// aside and a plain file takes its name, so the shell cannot make it anew.
class TrashAway {
 public:
  explicit TrashAway(std::wstring trash) : trash_(std::move(trash)), aside_(trash_ + L".aside") {
    RemoveDirectoryW(aside_.c_str());
    moved_ = MoveFileW(trash_.c_str(), aside_.c_str()) != 0;
    HANDLE blocker = CreateFileW(trash_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    blocked_ = blocker != INVALID_HANDLE_VALUE;
    if (blocked_) CloseHandle(blocker);
  }
  ~TrashAway() { Restore(trash_); }
  bool ready() const { return moved_ && blocked_; }

  // Also undoes what a scenario stopped at its deadline could not.
  static void Restore(const std::wstring& trash) {
    std::wstring aside = trash + L".aside";
    if (GetFileAttributesW(aside.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    DeleteFileW(trash.c_str());
    MoveFileW(aside.c_str(), trash.c_str());
  }

 private:
  std::wstring trash_, aside_;
  bool moved_ = false, blocked_ = false;
};

}  // namespace

E2E_SCENARIO(DeletingMovesTheFileToTheTrashAndOpensTheFirstOfTheRest) {
  TrashAway::Restore(ctx.trash_folder);
  if (!ctx.Expect(!ctx.trash_folder.empty() && Exists(ctx.trash_folder + L"\\files"),
                  "the run provides a trash folder with files\\ in it"))
    return;
  std::wstring trashed = ctx.trash_folder + L"\\files\\c.bmp";
  DeleteFileW(trashed.c_str());
  DeleteFileW((ctx.trash_folder + L"\\info\\c.bmp.trashinfo").c_str());

  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteThreePictures(app);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(app.folder() + L"\\c.bmp"), &view)) return;
  ctx.Expect(WaitForTitle(view, L"c.bmp"), "c.bmp opens");
  ctx.Expect(SendCommand(view, kDelete), "delete returns without asking anything");
  ctx.Expect(OpenDialogsOfProcess(app.process_id()).empty(), "no window is left open");
  ctx.Expect(WaitForTitle(view, L"a.bmp"), "the first of the remaining two opens");
  ctx.Expect(!Exists(app.folder() + L"\\c.bmp"), "c.bmp is gone from the folder");
  ctx.Expect(Exists(trashed), "c.bmp is in the trash's files folder");
  SendCommand(view, kLast);
  ctx.Expect(WaitForTitle(view, L"b.bmp"), "and the list holds a and b");
  Close(app, view);
}

E2E_SCENARIO(DeletingWithoutATrashWarnsAndNoKeepsEverything) {
  TrashAway away(ctx.trash_folder);
  if (!ctx.Expect(away.ready(), "the trash folder was moved aside")) return;
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteThreePictures(app);
  std::wstring shown = app.folder() + L"\\b.bmp";
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(shown), &view)) return;
  ctx.Expect(WaitForTitle(view, L"b.bmp"), "b.bmp opens");
  Sleep(300);
  ClientPixels before;
  ctx.Expect(CaptureClient(view, &before), "view captured before");

  // The warning is modal: post the command and answer the window it opens.
  PostMessageW(view, WM_COMMAND, kDelete, 0);
  HWND warning = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(warning != nullptr, "the shell warns that the file cannot be recycled")) {
    ctx.Expect(FindControl(warning, IDNO) != nullptr,
               "the warning offers No: " + DescribeWindow(warning));
    PostMessageW(warning, WM_COMMAND, IDNO, 0);
  }
  Sleep(500);
  ctx.Expect(Exists(shown), "No leaves b.bmp on disk");
  ctx.Expect(WaitForTitle(view, L"b.bmp", 1000), "the title still shows b.bmp");
  ClientPixels after;
  ctx.Expect(CaptureClient(view, &after) && after.pixels == before.pixels,
             "the shown image is unchanged");
  SendCommand(view, kLast);
  ctx.Expect(WaitForTitle(view, L"c.bmp", 2000), "the list still ends with c.bmp");
  SendCommand(view, kFirst);
  ctx.Expect(WaitForTitle(view, L"a.bmp", 2000), "and starts with a.bmp");
  Close(app, view);
}
