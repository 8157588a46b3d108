// TIFF files as a user meets them: an uncompressed big-endian file opens
// upright with its title, and a compressed one, which only a plug-in could
// show, leaves the note on an empty canvas.
#include <windows.h>

#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/viewer_steps.h"
#include "tests/unit/tiff_test_support.h"

namespace {

using tiff_test::Bytes;
using tiff_test::TiffBuilder;

constexpr int kWidth = 48, kHeight = 32;
constexpr uint32_t kTop = 0xC03010, kBottom = 0x1040E0;

// 16-bit samples, high byte first, of the top colour over the upper half
// and the bottom colour below, in four strips of eight rows.
Bytes TwoBandTiff() {
  TiffBuilder b(true);
  b.Long(256, kWidth).Long(257, kHeight).Values(258, tiff_test::kShort, {16, 16, 16});
  b.Short(259, 1).Short(262, 2).Short(277, 3).Long(278, 8);
  b.Text(270, "two bands");
  std::vector<Bytes> strips(4);
  for (int y = 0; y < kHeight; ++y) {
    const uint32_t colour = y < kHeight / 2 ? kTop : kBottom;
    for (int x = 0; x < kWidth; ++x) {
      for (int shift : {16, 8, 0}) {
        Bytes& strip = strips[size_t(y / 8)];
        strip.insert(strip.end(), {uint8_t(colour >> shift), uint8_t(0x7F)});
      }
    }
  }
  return b.Strips(strips).Build();
}

// LZW-compressed, as most TIFF files from scanners are: the reader refuses it.
Bytes CompressedTiff() {
  TiffBuilder b;
  b.Long(256, 8).Long(257, 8).Short(258, 8).Short(259, 5).Short(262, 1);
  return b.Strips({Bytes(40, 0x80)}).Build();
}

int LitPixels(const ClientPixels& shot) {
  int lit = 0;
  for (uint32_t p : shot.pixels) lit += (p & 0xFFFFFF) != 0;
  return lit;
}

}  // namespace

E2E_SCENARIO(BigEndianTiffOpensUprightWithItsTitle) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const Bytes tiff = TwoBandTiff();
  const std::wstring picture = app.folder() + L"\\bands.tif";
  if (!ctx.Expect(WriteFileBytes(picture, tiff), "the TIFF file is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"bands.tif  ( C  48x32  48bit  " + KibText(tiff.size()) + L" )"),
             "the title shows the description, the size and three 16-bit samples");
  Sleep(300);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "client captured")) {
    const int left = (shot.width - kWidth) / 2, top = (shot.height - kHeight) / 2;
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        wrong += shot.At(left + x, top + y) != (y < kHeight / 2 ? kTop : kBottom);
      }
    }
    ctx.Expect(wrong == 0, "the picture is upright, in the high bytes of its samples (" +
                               std::to_string(wrong) + " pixels differ)");
  }
  Close(app, view);
}

E2E_SCENARIO(CompressedTiffLeavesTheFailedOpenNote) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scan.tif";
  if (!ctx.Expect(WriteFileBytes(picture, CompressedTiff()), "the TIFF file is written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view, {{32, 4}})) return;  // a black canvas
  Sleep(600);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "client captured")) {
    ctx.Expect(shot.At(0, 0) == 0 && shot.At(shot.width - 1, shot.height - 1) == 0,
               "the canvas stays empty");
    ctx.Expect(LitPixels(shot) > 20, "a line of text says the image could not be shown");
  }
  Close(app, view);
}
