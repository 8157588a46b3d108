// PNG files opened the ways a user opens them: from the command line, by
// stepping through the folder and through the open dialog. The title shows
// what the reader found, and the view what it blended.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/png_test_support.h"

namespace {

bool WritePng(const std::wstring& path, const Bytes& png) { return WriteFileBytes(path, png); }

// The left half opaque in the pattern's colours, the right half fully
// transparent; interlaced, with one text chunk.
Bytes HalfTransparentPng(int width, int height) {
  std::vector<Bytes> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = PatternColour(x, y, 5);
      rows[size_t(y)].insert(rows[size_t(y)].end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c),
                                                     uint8_t(x < width / 2 ? 255 : 0)});
    }
  }
  // Interlacing a filter-0 image only reorders its scanlines, so the plain
  // order, deflated, is not what is wanted: build the seven passes.
  Bytes passes;
  static const int sx[] = {0, 4, 0, 2, 0, 1, 0}, sy[] = {0, 0, 4, 0, 2, 0, 1};
  static const int dx[] = {8, 8, 4, 4, 2, 2, 1}, dy[] = {8, 8, 8, 4, 4, 2, 2};
  for (int p = 0; p < 7; ++p) {
    if (sx[p] >= width) continue;
    for (int y = sy[p]; y < height; y += dy[p]) {
      passes.push_back(0);
      for (int x = sx[p]; x < width; x += dx[p]) {
        passes.insert(passes.end(), rows[size_t(y)].begin() + 4 * x, rows[size_t(y)].begin() + 4 * x + 4);
      }
    }
  }
  return PngFile().Header(uint32_t(width), uint32_t(height), 8, 6, 1)
      .Chunk("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'})
      .ImageData(passes)
      .End()
      .bytes();
}

Bytes SolidRgbPng(int width, int height, uint32_t colour) {
  Bytes row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)});
  return PngFile().Header(uint32_t(width), uint32_t(height), 8, 2)
      .ImageData(Scanlines(std::vector<Bytes>(size_t(height), row)))
      .End()
      .bytes();
}

}  // namespace

// What the transparent right half shows for the reading settings.
struct Blending {
  std::vector<IntSetting> settings;
  const char* what;
  bool composite;
  uint32_t background;
};

E2E_SCENARIO(PngOpensWithItsPropertyLettersAndItsAlphaBlended) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const Bytes png = HalfTransparentPng(40, 30);
  const std::wstring picture = app.folder() + L"\\pic.png";
  if (!ctx.Expect(WritePng(picture, png), "the PNG is written")) return;
  const Blending cases[] = {
      {{}, "transparent pixels show white", true, 0xFFFFFF},
      {{{71, 0x0000FF}}, "the configured background, red in its low byte, shows", true, 0xFF0000},
      {{{69, 0}}, "without compositing the pixels keep their colours", false, 0},
  };
  for (const Blending& c : cases) {
    HWND view;
    if (!StartViewerOn(ctx, app, Quoted(picture), &view, c.settings)) return;
    const std::wstring title = L"pic.png  ( IAT  40x30  24bit  " + KibText(png.size()) + L" )  100%";
    ctx.Expect(WaitForTitle(view, title),
               "the title shows interlaced, alpha and text, then size, depth and file size");
    Sleep(300);
    ClientPixels shot;
    if (ctx.Expect(CaptureClient(view, &shot), "client captured")) {
      const int left = (shot.width - 40) / 2, top = (shot.height - 30) / 2;
      int wrong = 0;
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
          const uint32_t expected = x < 20 || !c.composite ? PatternColour(x, y, 5) : c.background;
          wrong += shot.At(left + x, top + y) != expected;
        }
      }
      ctx.Expect(wrong == 0, std::string(c.what) + " (" + std::to_string(wrong) + " pixels differ)");
    }
    Close(app, view);
    DeleteFileW(app.settings_path().c_str());
  }
}

E2E_SCENARIO(PngsOpenFromTheFolderListAndTheOpenDialog) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring folder = app.folder();
  const Bytes a = SolidRgbPng(8, 8, 0x3060C0);
  const Bytes grey = PngFile().Header(16, 4, 1, 0).ImageData(Scanlines(std::vector<Bytes>(4, Bytes{0xF0, 0x0F}))).End().bytes();
  WritePng(folder + L"\\a.png", a);
  WritePng(folder + L"\\b.png", grey);
  WriteSolidBmp(folder + L"\\c.bmp", 8, 8, 0x102030);
  CreateDirectoryW((folder + L"\\other").c_str(), nullptr);
  WritePng(folder + L"\\other\\d.png", SolidRgbPng(12, 10, 0xC06030));
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(folder + L"\\a.png"), &view)) return;
  ctx.Expect(WaitForTitle(view, L"a.png  ( 8x8  24bit  " + KibText(a.size()) + L" )"),
             "a plain PNG has no property letters");
  SendWithin(view, WM_COMMAND, 5703, 0);
  ctx.Expect(WaitForTitle(view, L"b.png  ( 16x4  1bit  " + KibText(grey.size()) + L" )", 3000),
             "the next entry of the folder is the 1-bit grey PNG, titled with its own depth");

  PostMessageW(view, WM_COMMAND, 5010, 0);
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  if (ctx.Expect(dialog != nullptr, "the open dialog opens")) {
    Sleep(300);
    HWND name = FindControl(dialog, 0x47c);
    if (!name) name = FindControl(dialog, 0x480);
    const std::wstring chosen = folder + L"\\other\\d.png";
    if (ctx.Expect(name != nullptr, "the file name box is there")) {
      SendWithin(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      ctx.Expect(WaitForTitle(view, L"d.png  ( 12x10  24bit", 5000), "the chosen PNG opens");
    } else {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
  Close(app, view);
}
