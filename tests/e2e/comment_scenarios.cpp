// The comment of a PNG file, edited through the comment dialog as a user
// does it: the text lands in the file, the old file goes to the trash, the
// pixels stay, the title follows, and the program's own write brings no
// reload question.
#include <windows.h>

#include <cstring>
#include <string>

#include "codecs/png_comment.h"
#include "tests/e2e/app_instance.h"
#include "tests/e2e/open_windows.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/png_test_support.h"

namespace {

constexpr WPARAM kComment = 5040;
constexpr int kCommentEdit = 4001, kCommentOk = 4002;

// A 30 x 20 colour picture without any text chunk.
Bytes PatternPng() {
  std::vector<Bytes> rows;
  for (int y = 0; y < 20; ++y) {
    Bytes row;
    for (int x = 0; x < 30; ++x) row.insert(row.end(), {uint8_t(x * 8), uint8_t(y * 12), 200});
    rows.push_back(row);
  }
  PngFile f;
  f.Header(30, 20, 8, 2);
  return f.ImageData(Scanlines(rows)).End().bytes();
}

bool WriteBytes(const std::wstring& path, const Bytes& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(h);
  return ok;
}

// What the file holds, once the program has put it in place.
bool WaitForComment(const std::wstring& path, const std::string& expected, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  std::string text;
  do {
    if (ReadPngComment(path.c_str(), &text) == Status::kOk && text == expected) return true;
    Sleep(100);
  } while (GetTickCount() - start < timeout_ms);
  return false;
}

// Opens the dialog (posted: it is modal), checks it shows `shown`, types
// `typed` and presses OK.
bool EditComment(ScenarioContext& ctx, AppInstance& app, HWND view, const std::wstring& shown,
                 const std::wstring& typed) {
  PostMessageW(view, WM_COMMAND, kComment, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (!ctx.Expect(dialog != nullptr, "the comment dialog opens")) return false;
  HWND edit = FindControl(dialog, kCommentEdit);
  HWND ok = FindControl(dialog, kCommentOk);
  if (!ctx.Expect(edit && ok, "the dialog has its edit box and OK: " + DescribeWindow(dialog))) {
    DismissDialog(dialog);
    return false;
  }
  ctx.Expect(ControlText(edit) == shown, "the dialog shows the comment in the file: '" +
                                             Narrow(ControlText(edit)) + "'");
  SendWithin(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCommentOk, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  DWORD start = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - start < 5000) Sleep(50);
  return ctx.Expect(!IsWindow(dialog), "OK closes the dialog");
}

// Coming back to the program looks for changes made by others; its own
// write must not be one.
void ExpectNoReloadQuestion(ScenarioContext& ctx, AppInstance& app, HWND view) {
  Sleep(300);
  ctx.Expect(SendWithin(view, WM_ACTIVATEAPP, TRUE, 0), "returning to the program asks nothing");
  ctx.Expect(FailOnDialogs(OpenDialogsOfProcess(app.process_id()), "a window is open") == 0,
             "no question or message follows the edit");
}

bool SamePixels(const Bytes& a, const Bytes& b) {
  DecodedPng first, second;
  Decode(a, &first);
  Decode(b, &second);
  return first.status == Status::kOk && second.status == Status::kOk &&
         std::memcmp(first.image.pixels, second.image.pixels, Stride(first.image) * 20) == 0;
}

Bytes ReadBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  Bytes bytes(GetFileSize(h, nullptr));
  DWORD read = 0;
  if (!ReadFile(h, bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  CloseHandle(h);
  return bytes;
}

// A private program folder holding `name` with `bytes`, and the viewer
// showing it.
bool StartViewerOnPng(ScenarioContext& ctx, AppInstance& app, const std::wstring& name,
                      const Bytes& bytes, HWND* view) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  const std::wstring png = app.folder() + L"\\" + name;
  if (!ctx.Expect(WriteBytes(png, bytes), "the PNG file is written")) return false;
  if (!StartViewerOn(ctx, app, Quoted(png), view)) return false;
  return ctx.Expect(WaitForTitle(*view, name), "the PNG file opens");
}

}  // namespace

E2E_SCENARIO(PngCommentIsAddedChangedAndRemovedInTheFile) {
  const std::wstring trashed = ctx.trash_folder + L"\\files\\note.png";
  DeleteFileW(trashed.c_str());
  DeleteFileW((ctx.trash_folder + L"\\info\\note.png.trashinfo").c_str());
  AppInstance app(ctx.bin_dir);
  const Bytes original = PatternPng();
  HWND view;
  if (!StartViewerOnPng(ctx, app, L"note.png", original, &view)) return;
  const std::wstring png = app.folder() + L"\\note.png";
  ctx.Expect(WaitForTitle(view, L"note.png  ( 30x20  24bit"), "the title shows no text chunk");

  if (EditComment(ctx, app, view, L"", L"first line\r\nsecond line")) {
    ctx.Expect(WaitForComment(png, "first line\r\nsecond line", 5000), "the comment is in the file");
    ctx.Expect(WaitForTitle(view, L"note.png  ( T  30x20"), "the title shows the text chunk");
    ctx.Expect(GetFileAttributesW(trashed.c_str()) != INVALID_FILE_ATTRIBUTES,
               "the file without the comment went to the trash");
    ExpectNoReloadQuestion(ctx, app, view);
  }
  if (EditComment(ctx, app, view, L"first line\r\nsecond line", L"changed")) {
    ctx.Expect(WaitForComment(png, "changed", 5000), "the changed comment is in the file");
    ctx.Expect(WaitForTitle(view, L"note.png  ( T  30x20"), "the title still shows one text chunk");
    ExpectNoReloadQuestion(ctx, app, view);
  }
  if (EditComment(ctx, app, view, L"changed", L"")) {
    ctx.Expect(WaitForComment(png, "", 5000), "an empty text removes the comment");
    ctx.Expect(WaitForTitle(view, L"note.png  ( 30x20"), "the title shows no text chunk");
    ctx.Expect(ReadBytes(png) == original, "the file is byte for byte what it was");
    ExpectNoReloadQuestion(ctx, app, view);
  }
  ctx.Expect(SamePixels(ReadBytes(png), original), "the pixels never changed");
  ctx.Expect(!StagedCopyLeftIn(app.folder()), "no half-made file is left beside it");
  Close(app, view);
}

E2E_SCENARIO(CommentCancelAndNonPngFilesLeaveTheFileAlone) {
  AppInstance app(ctx.bin_dir);
  const Bytes original = PatternPng();
  HWND view;
  if (!StartViewerOnPng(ctx, app, L"keep.png", original, &view)) return;
  const std::wstring png = app.folder() + L"\\keep.png";
  PostMessageW(view, WM_COMMAND, kComment, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(dialog != nullptr, "the comment dialog opens")) {
    SendWithin(FindControl(dialog, kCommentEdit), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"never stored"));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Sleep(500);
    ctx.Expect(!IsWindow(dialog), "Cancel closes the dialog");
  }
  ctx.Expect(ReadBytes(png) == original, "Cancel leaves the file as it was");
  // An image without a file behind it has no comment to edit.
  SendCommand(view, 5030);  // copy
  SendCommand(view, 5031);  // paste
  ctx.Expect(WaitForTitle(view, L"Ovira  ( 30x20"), "the pasted image has no file");
  ctx.Expect(SendCommand(view, kComment), "the comment command returns at once");
  ctx.Expect(FailOnDialogs(OpenDialogsOfProcess(app.process_id()), "after 5040 on a pasted image") == 0,
             "and opens nothing for a pasted image");
  Close(app, view);
}
