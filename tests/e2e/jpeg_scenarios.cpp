// JPEG photographs as a user meets them: shown upright by their Exif
// orientation, turned losslessly on disk, turned and flipped on screen, and
// broken files that leave the viewer standing.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/exif.h"
#include "codecs/image_encoders.h"
#include "codecs/jpeg_markers.h"
#include "codecs/memory_sink.h"
#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/settings_file.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/jpeg_test_support.h"

namespace {

constexpr int kWidth = 48, kHeight = 32;  // whole 8 x 8 blocks: every turn is exact
constexpr uint32_t kSeed = 9;

// The pattern at quality 100 without colour subsampling, so the decoded
// pixels stay within a few levels of the pattern; with an Exif block that
// holds `orientation` right behind SOI.
Bytes PatternJpeg(uint16_t orientation) {
  ImageBuffer image{};
  ResetImageBuffer(&image);
  if (AllocatePixels(&image, kWidth, kHeight, 24) != Status::kOk) return {};
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = RowFromTop(image, y);
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t c = PatternColour(x, y, kSeed);
      row[3 * x] = uint8_t(c), row[3 * x + 1] = uint8_t(c >> 8), row[3 * x + 2] = uint8_t(c >> 16);
    }
  }
  SaveOptions options;
  options.type = kSaveJpeg;
  options.jpeg_quality = 100;
  options.jpeg_subsampling = 2;
  MemorySink coded;
  const bool written = EncodeImage(image, options, &coded) == Status::kOk;
  ReleasePixels(&image);
  if (!written || coded.bytes().size() < 2) return {};
  const Bytes exif = ExifBuilder(true).Ifd0({{274, 3, 1, orientation}}).Build();
  Bytes file = JpegStream().Soi().Segment(0xE1, exif).bytes();
  file.insert(file.end(), coded.bytes().begin() + 2, coded.bytes().end());
  return file;
}

bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8) return false;
  }
  return true;
}

// Counts the pixels of the centred picture that are not the pattern moved
// by `place` (source x, y to shown x, y).
template <typename Place>
int PixelsOffPattern(HWND view, int shown_width, int shown_height, Place place) {
  ClientPixels shot;
  if (!CaptureClient(view, &shot)) return -1;
  const int left = (shot.width - shown_width) / 2, top = (shot.height - shown_height) / 2;
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      int sx = 0, sy = 0;
      place(x, y, &sx, &sy);
      wrong += !Near(shot.At(left + sx, top + sy), PatternColour(x, y, kSeed));
    }
  }
  return wrong;
}

uint16_t OrientationOnDisk(const std::wstring& path) {
  const std::vector<uint8_t> file = ReadFileBytes(path);
  const JpegMarkerScan scan = ScanJpegMarkers(file.data(), file.size(), nullptr);
  if (!scan.exif_found) return 0;
  return ReadExifOrientation(file.data() + scan.exif_start, scan.exif_length);
}

// A viewer on a photograph whose Exif data say it is to be turned clockwise.
// It is photo.jpg in the program's folder.
bool StartOnTurnedPhoto(ScenarioContext& ctx, AppInstance& app, HWND* view,
                        const std::vector<IntSetting>& settings = {}) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  const std::wstring picture = app.folder() + L"\\photo.jpg";
  const Bytes jpeg = PatternJpeg(6);
  if (!ctx.Expect(!jpeg.empty() && WriteFileBytes(picture, jpeg), "the JPEG is written")) {
    return false;
  }
  return StartViewerOn(ctx, app, Quoted(picture), view, settings);
}

}  // namespace

E2E_SCENARIO(ExifOrientationSixIsShownTurnedAndTurnsLosslesslyOnDisk) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnTurnedPhoto(ctx, app, &view)) return;
  const std::wstring picture = app.folder() + L"\\photo.jpg";
  ctx.Expect(WaitForTitle(view, L"photo.jpg  ( ER  32x48  24bit  "),
             "the title shows Exif and the turn, and the turned size");
  Sleep(300);
  int wrong = PixelsOffPattern(view, kHeight, kWidth, [](int x, int y, int* sx, int* sy) {
    *sx = kHeight - 1 - y, *sy = x;
  });
  ctx.Expect(wrong == 0, "the picture is shown turned clockwise (" + std::to_string(wrong) +
                             " pixels differ)");

  // A further quarter turn right: the data turn by a half, the Exif block
  // says upright, and the reopened file needs no turn of its own.
  ctx.Expect(SendCommand(view, 5020, 10000), "the lossless turn is taken");
  ctx.Expect(WaitForTitle(view, L"photo.jpg  ( E  48x32  24bit  ", 5000),
             "the reopened file is upright by itself");
  ctx.Expect(OrientationOnDisk(picture) == 1, "the file's Exif orientation is reset");
  ctx.Expect(!StagedCopyLeftIn(app.folder()), "no copy is left beside the file");
  Sleep(300);
  wrong = PixelsOffPattern(view, kWidth, kHeight, [](int x, int y, int* sx, int* sy) {
    *sx = kWidth - 1 - x, *sy = kHeight - 1 - y;
  });
  ctx.Expect(wrong == 0, "the reopened picture is the original turned by a half (" +
                             std::to_string(wrong) + " pixels differ)");
  Close(app, view);
}

E2E_SCENARIO(WithoutAutoRotationTheStoredPictureShows) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnTurnedPhoto(ctx, app, &view, {{72, 0}})) return;
  ctx.Expect(WaitForTitle(view, L"photo.jpg  ( E  48x32  24bit  "),
             "no turn and no R without automatic rotation");
  Close(app, view);
}

E2E_SCENARIO(TurnsAndFlipsRearrangeAnyPicture) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  WritePatternBmp(picture, kWidth, kHeight, kSeed);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"scene.bmp  ( 48x32"), "scene.bmp opens");
  ctx.Expect(SendCommand(view, 5152), "turn counter-clockwise is taken");
  ctx.Expect(WaitForTitle(view, L"scene.bmp*  ( 32x48", 3000),
             "the title follows the new size and marks the change");
  Sleep(300);
  int wrong = PixelsOffPattern(view, kHeight, kWidth, [](int x, int y, int* sx, int* sy) {
    *sx = y, *sy = kWidth - 1 - x;
  });
  ctx.Expect(wrong == 0, "turned counter-clockwise (" + std::to_string(wrong) + " differ)");
  ctx.Expect(SendCommand(view, 5153), "mirror is taken");
  Sleep(300);
  wrong = PixelsOffPattern(view, kHeight, kWidth, [](int x, int y, int* sx, int* sy) {
    *sx = kHeight - 1 - y, *sy = kWidth - 1 - x;
  });
  ctx.Expect(wrong == 0, "then mirrored (" + std::to_string(wrong) + " differ)");
  CloseDroppingChanges(app, view);
}

E2E_SCENARIO(BrokenJpegsLeaveTheViewerStanding) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const Bytes whole = PatternJpeg(1);
  if (!ctx.Expect(whole.size() > 400, "the JPEG is made")) return;
  Bytes header_only(whole.begin(), whole.begin() + 200);
  Bytes scrambled = whole;
  for (size_t i = 20; i < 120 && i < scrambled.size(); ++i) scrambled[i] ^= 0x5A;
  const std::wstring folder = app.folder();
  WriteFileBytes(folder + L"\\a-cut.jpg", header_only);
  WriteFileBytes(folder + L"\\b-scrambled.jpg", scrambled);
  WritePatternBmp(folder + L"\\c-good.bmp", 8, 8, 1);
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(folder + L"\\a-cut.jpg"), &view)) return;
  Sleep(1000);
  ctx.Expect(IsWindow(view), "the viewer is still there after the cut file");
  for (int step = 0; step < 2; ++step) {
    ctx.Expect(SendCommand(view, 5703), "the next entry is asked for");
    Sleep(500);
    if (HWND box = app.WaitForWindow(L"#32770", 500)) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  ctx.Expect(WaitForTitle(view, L"c-good.bmp", 5000), "stepping on past both reaches the good file");
  Close(app, view);
}
