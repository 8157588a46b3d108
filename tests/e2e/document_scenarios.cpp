// Opening, stepping, the clipboard, saving and the wallpaper, as a
// user does them: commands to the real program, checked on the screen, in
// the title and in the files it writes.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"

constexpr uint32_t kGrey = 0x808080;

E2E_SCENARIO(OpenedBmpIsShownPixelForPixelWithBackgroundStrips) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\pic.bmp";
  WritePatternBmp(picture, 120, 90, 11);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"pic.bmp  ( 120x90  24bit  31.6KB )  100%"),
             "the title names the file, its size, depth and zoom");
  Sleep(300);
  ClientPixels shot;
  if (!ctx.Expect(CaptureClient(view, &shot), "client captured")) return;
  int left = (shot.width - 120) / 2, top = (shot.height - 90) / 2;
  int wrong = 0;
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 120; ++x) wrong += shot.At(left + x, top + y) != PatternColour(x, y, 11);
  }
  ctx.Expect(wrong == 0, "every image pixel is drawn unchanged at 100 % (" + std::to_string(wrong) +
                             " differ)");
  ctx.Expect(shot.At(left - 1, top) == kGrey && shot.At(left + 120, top) == kGrey &&
                 shot.At(left, top - 1) == kGrey && shot.At(left, top + 90) == kGrey &&
                 shot.At(0, 0) == kGrey && shot.At(shot.width - 1, shot.height - 1) == kGrey,
             "the strips around the image have the background colour");

  // A right drag on an image that fits changes nothing.
  PostMessageW(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(left + 10, top + 10));
  PostMessageW(view, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(left + 60, top + 10));
  PostMessageW(view, WM_RBUTTONUP, 0, MAKELPARAM(left + 60, top + 10));
  Sleep(200);
  ClientPixels after;
  ctx.Expect(CaptureClient(view, &after) && after.pixels == shot.pixels,
             "a right drag on a fitting image leaves the view as it was");

  // 200 % doubles the drawn size.
  SendCommand(view, 5230);
  Sleep(300);
  ClientPixels zoomed;
  if (ctx.Expect(CaptureClient(view, &zoomed), "zoomed client captured")) {
    int min_x = zoomed.width, max_x = -1, min_y = zoomed.height, max_y = -1;
    for (int y = 0; y < zoomed.height; ++y) {
      for (int x = 0; x < zoomed.width; ++x) {
        if (zoomed.At(x, y) == kGrey) continue;
        min_x = std::min(min_x, x), max_x = std::max(max_x, x);
        min_y = std::min(min_y, y), max_y = std::max(max_y, y);
      }
    }
    ctx.Expect(max_x - min_x + 1 == 240 && max_y - min_y + 1 == 180,
               "at 200 % the image covers 240 x 180 pixels");
  }
  ctx.Expect(WaitForTitle(view, L"pic.bmp  ( 120x90  24bit  31.6KB )  200%"), "the title shows 200%");
  Close(app, view);
}

E2E_SCENARIO(StepsThroughTheFolderAndStopsAtBothEnds) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"}) {
    WriteSolidBmp(app.folder() + L"\\" + name, 40, 30, 0x2040C0);
  }
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(app.folder() + L"\\b.bmp"), &view)) return;
  ctx.Expect(WaitForTitle(view, L"b.bmp"), "b.bmp opens");
  // The keys: Down shows the next image, Up the previous one.
  PostMessageW(view, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(view, WM_KEYUP, VK_DOWN, 0xC0000001);
  ctx.Expect(WaitForTitle(view, L"c.bmp", 2000), "Down shows c.bmp");
  PostMessageW(view, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(view, WM_KEYUP, VK_UP, 0xC0000001);
  ctx.Expect(WaitForTitle(view, L"b.bmp", 2000), "Up returns to b.bmp");
  struct Step {
    WPARAM command;
    const wchar_t* shown;
  };
  const Step steps[] = {{5703, L"c.bmp"}, {5703, L"c.bmp"}, {5702, L"b.bmp"},
                        {5700, L"a.bmp"}, {5702, L"a.bmp"}, {5701, L"c.bmp"}};
  for (const Step& s : steps) {
    SendWithin(view, WM_COMMAND, s.command, 0);
    ctx.Expect(WaitForTitle(view, s.shown, 2000),
               "after " + std::to_string(s.command) + " the title shows " +
                   std::string(s.shown, s.shown + wcslen(s.shown)));
  }
  Close(app, view);
}

E2E_SCENARIO(CopyThenPasteGivesTheSamePixelsWithoutAPath) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\clip.bmp";
  WritePatternBmp(picture, 64, 48, 3);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"clip.bmp"), "clip.bmp opens");
  Sleep(200);
  ClientPixels before;
  CaptureClient(view, &before);
  SendCommand(view, 5030);  // copy
  SendCommand(view, 5031);  // paste
  ctx.Expect(WaitForTitle(view, L"Ovira  ( 64x48  24bit"), "the pasted image has no file name");
  Sleep(200);
  ClientPixels after;
  ctx.Expect(CaptureClient(view, &after) && after.pixels == before.pixels,
             "the pasted image looks exactly like the copied one");
  Close(app, view);
}

E2E_SCENARIO(SaveAsEightBitBmpThroughTheSaveDialog) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\four.bmp";
  // Four colours in quarters: an 8-bit save keeps them exactly.
  WriteSolidBmp(picture, 32, 32, 0x10A030);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"four.bmp"), "four.bmp opens");

  std::wstring target = app.folder() + L"\\saved.bmp";
  for (int round = 0; round < 2; ++round) {
    PostMessageW(view, WM_COMMAND, 5012, 0);
    HWND dialog = app.WaitForWindow(L"#32770", 5000);
    if (!ctx.Expect(dialog != nullptr, "the save dialog opens")) break;
    Sleep(300);
    HWND depth = FindControl(dialog, 3702);
    if (!ctx.Expect(depth != nullptr, "the dialog carries the colour depth choice")) break;
    SendWithin(depth, CB_SETCURSEL, round == 0 ? 1 : 0, 0);  // 8 bits, then 24
    HWND name = FindControl(dialog, 0x47c);                        // the file name box
    if (!name) name = FindControl(dialog, 0x480);
    if (!ctx.Expect(name != nullptr, "the file name box is there")) break;
    SendWithin(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    if (round == 1) {
      // Saving over the first file asks before replacing it.
      Sleep(500);
      HWND confirm = nullptr;
      DWORD start = GetTickCount();
      while (!confirm && GetTickCount() - start < 5000) {
        HWND w = app.WaitForWindow(L"#32770", 200);
        if (w && w != dialog) confirm = w;
      }
      if (ctx.Expect(confirm != nullptr, "replacing asks first")) {
        PostMessageW(confirm, WM_COMMAND, IDYES, 0);
      }
    }
    ImageBuffer saved{};
    DWORD start = GetTickCount();
    bool read = false;
    while (!read && GetTickCount() - start < 5000) {
      Sleep(100);
      read = ReadBmpFile(target, &saved) && saved.header.bit_count == (round == 0 ? 8 : 24);
      if (!read) ReleasePixels(&saved);
    }
    if (ctx.Expect(read, round == 0 ? "an 8-bit BMP is written" : "the 24-bit save replaces it")) {
      ctx.Expect(PixelAt(saved, 0, 0) == 0x10A030 && PixelAt(saved, 31, 31) == 0x10A030,
                 "with the image's colour");
    }
    ReleasePixels(&saved);
  }
  ctx.Expect(!StagedCopyLeftIn(app.folder()), "no half-written file is left behind");
  Close(app, view);
}

E2E_SCENARIO(WallpaperWritesTheStyleAndTheBitmapBesideTheSettings) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\desk.bmp";
  WritePatternBmp(picture, 50, 40, 9);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"desk.bmp"), "desk.bmp opens");
  PostMessageW(view, WM_COMMAND, 5050, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (!ctx.Expect(dialog != nullptr, "the wallpaper style dialog opens")) return;
  SendWithin(GetDlgItem(dialog, 3752), BM_CLICK, 0, 0);  // stretched
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  std::wstring wallpaper = app.folder() + L"\\save_wp.bmp";
  ctx.Expect(WaitForFile(wallpaper, 5000), "save_wp.bmp is written beside Ovira.ini");
  Sleep(200);
  ImageBuffer written{};
  if (ctx.Expect(ReadBmpFile(wallpaper, &written), "and reads as a BMP")) {
    ctx.Expect(written.header.width == 50 && PixelAt(written, 3, 4) == PatternColour(3, 4, 9),
               "of the shown image");
  }
  ReleasePixels(&written);
  wchar_t tile[8] = {}, style[8] = {};
  DWORD bytes = sizeof(tile);
  RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"TileWallpaper", RRF_RT_REG_SZ,
               nullptr, tile, &bytes);
  bytes = sizeof(style);
  RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WallpaperStyle", RRF_RT_REG_SZ,
               nullptr, style, &bytes);
  ctx.Expect(std::wstring(tile) == L"0" && std::wstring(style) == L"2",
             "stretched writes TileWallpaper 0 and WallpaperStyle 2");
  Close(app, view);
}

E2E_SCENARIO(AZipThatIsReallyAnImageOpensAsAnImage) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\x.zip";
  WritePatternBmp(picture, 30, 20, 5);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"x.zip  ( 30x20"), "x.zip opens by its signature");
  Close(app, view);
}

E2E_SCENARIO(RenamingWhileInactiveRebuildsTheListOnActivation) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSolidBmp(app.folder() + L"\\a.bmp", 20, 20, 0x3050A0);
  WriteSolidBmp(app.folder() + L"\\b.bmp", 20, 20, 0x3050A0);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(app.folder() + L"\\a.bmp"), &view)) return;
  ctx.Expect(WaitForTitle(view, L"a.bmp"), "a.bmp opens");
  MoveFileW((app.folder() + L"\\b.bmp").c_str(), (app.folder() + L"\\c.bmp").c_str());
  Sleep(300);
  SendWithin(view, WM_ACTIVATEAPP, TRUE, 0);
  SendCommand(view, 5703);
  ctx.Expect(WaitForTitle(view, L"c.bmp"), "the next image is the renamed file");
  Close(app, view);
}

E2E_SCENARIO(ChangedCurrentFileAsksToReloadOnActivation) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring current = app.folder() + L"\\a.bmp";
  WriteSolidBmp(current, 20, 20, 0x3050A0);
  WriteSolidBmp(app.folder() + L"\\b.bmp", 20, 20, 0x3050A0);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(current), &view)) return;
  ctx.Expect(WaitForTitle(view, L"a.bmp  ( 20x20"), "a.bmp opens");
  // Another program rewrites the picture; a name in the folder changes too,
  // which is what the folder watch notices.
  Sleep(1100);
  WriteSolidBmp(current, 50, 40, 0x3050A0);
  MoveFileW((app.folder() + L"\\b.bmp").c_str(), (app.folder() + L"\\d.bmp").c_str());
  Sleep(300);
  PostMessageW(view, WM_ACTIVATEAPP, TRUE, 0);
  HWND question = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(question != nullptr, "the viewer asks whether to reload")) {
    ctx.Expect(WindowTitle(question) == L"a.bmp", "captioned with the file name");
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ctx.Expect(WaitForTitle(view, L"a.bmp  ( 50x40"), "yes loads the new picture");
  }
  Close(app, view);
}

E2E_SCENARIO(ColourCountAndTheViewOnTheClipboard) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\plain.bmp";
  WriteSolidBmp(picture, 60, 40, 0x40A0E0);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"plain.bmp"), "plain.bmp opens");

  PostMessageW(view, WM_COMMAND, 5110, 0);
  HWND box = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(box != nullptr, "the colour count is shown")) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      text += WindowTitle(child) + L"\n";
    }
    ctx.Expect(text.find(L"Number of colours: 1") != std::wstring::npos,
               "one colour, as a plain number");
    ctx.Expect(WindowTitle(box) == L"plain.bmp", "captioned with the file name");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  SendCommand(view, 5230);  // 200 %
  SendCommand(view, 5035);  // copy the view
  bool copied = false;
  if (OpenClipboard(nullptr)) {
    if (HGLOBAL dib = GetClipboardData(CF_DIB)) {
      auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
      copied = header && header->biWidth == 120 && header->biHeight == 80 && header->biBitCount == 24;
      GlobalUnlock(dib);
    }
    CloseClipboard();
  }
  ctx.Expect(copied, "the view goes to the clipboard at its displayed size, 120 x 80");
  Close(app, view);
}

namespace {

// Whether the file on disk still shows the pattern it was written with.
bool HoldsPattern(const std::wstring& path, int width, int height, uint32_t seed) {
  ImageBuffer image{};
  if (!ReadBmpFile(path, &image)) return false;
  bool same = image.header.width == width && image.header.height == height;
  for (int y = 0; same && y < height; ++y) {
    for (int x = 0; same && x < width; ++x) same = PixelAt(image, x, y) == PatternColour(x, y, seed);
  }
  ReleasePixels(&image);
  return same;
}

}  // namespace

E2E_SCENARIO(SavingAfterAStepFromAPreviewWritesTheNewImage) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring first = app.folder() + L"\\a.bmp", second = app.folder() + L"\\b.bmp";
  WritePatternBmp(first, 48, 32, 21);
  WritePatternBmp(second, 48, 32, 22);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(first), &view)) return;
  ctx.Expect(WaitForTitle(view, L"a.bmp"), "a.bmp opens");
  ctx.Expect(SendCommand(view, 5310), "the edit window is asked for");
  HWND edit = app.WaitForWindow(L"Ovira_swin_class", 5000);
  if (!ctx.Expect(edit != nullptr, "the edit window opens")) return Close(app, view);
  ctx.Expect(SendCommand(view, 5810), "a save preview of a.bmp is made");
  ctx.Expect(SendCommand(view, 5703), "the next image is asked for");
  ctx.Expect(WaitForTitle(edit, L"b.bmp"), "b.bmp is current");
  ctx.Expect(SendCommand(view, 5013), "b.bmp is saved in place");
  ctx.Expect(HoldsPattern(second, 48, 32, 22), "b.bmp on disk keeps its own pixels");
  ctx.Expect(HoldsPattern(first, 48, 32, 21), "a.bmp is untouched");
  Close(app, view);
}

namespace {

constexpr uint32_t kLightGrey = 0xC0C0C0;  // the edit window's background unless set

// Whether a popup menu of the program comes up, and closes again on Esc.
bool MenuOpensAndCloses(const AppInstance& app, HWND window) {
  HWND menu = app.WaitForWindow(L"#32768", 5000);
  if (!menu) return false;
  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(window, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  for (int i = 0; i < 50 && IsWindowVisible(menu); ++i) Sleep(100);
  return !IsWindowVisible(menu);
}

}  // namespace

E2E_SCENARIO(EditWindowOpensOnlyOnAskingAndShowsItsBackgroundAndMenu) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring picture = app.folder() + L"\\turn.bmp";
  WritePatternBmp(picture, 60, 40, 31);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"turn.bmp"), "turn.bmp opens");
  Sleep(300);
  ClientPixels before;
  CaptureClient(view, &before);

  // A colour adjustment and the image information have no module yet: the
  // view stays as it was.
  for (WPARAM command : {5160, 5041}) {
    std::string name = std::to_string(command);
    ctx.Expect(SendCommand(view, command), "command " + name + " is taken");
    ctx.Expect(IsWindowVisible(view) && app.WaitForWindow(L"Ovira_swin_class", 300) == nullptr,
               "after " + name + " the view window stays and no edit window opens");
  }
  Sleep(300);
  ClientPixels after;
  ctx.Expect(CaptureClient(view, &after) && after.pixels == before.pixels, "the view is unchanged");

  ctx.Expect(SendCommand(view, 5310), "the edit window is asked for");
  HWND edit = app.WaitForWindow(L"Ovira_swin_class", 5000);
  if (!ctx.Expect(edit != nullptr, "the edit window opens")) return Close(app, view);
  Sleep(500);
  ClientPixels shot;
  HWND pane = FindWindowExW(edit, nullptr, L"Ovira_sch1_class", nullptr);
  if (ctx.Expect(pane && CaptureClient(pane, &shot), "the edit window's image pane captured")) {
    int wrong = 0;
    // The picture sits in the middle of its pane; the rest is background.
    for (int y = 10; y < 30; ++y) {
      for (int x = 10; x < shot.width - 10; ++x) wrong += shot.At(x, y) != kLightGrey;
    }
    ctx.Expect(wrong == 0, "the edit window shows its background around the picture (" +
                               std::to_string(wrong) + " pixels differ)");
  }
  PostMessageW(edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 40));
  PostMessageW(edit, WM_RBUTTONUP, 0, MAKELPARAM(40, 40));
  ctx.Expect(MenuOpensAndCloses(app, edit), "a right click opens the context menu there");
  PostMessageW(edit, WM_CONTEXTMENU, WPARAM(edit), -1);
  ctx.Expect(MenuOpensAndCloses(app, edit), "so does the menu key");
  Close(app, view);
}
