#include "image/document_clipboard_win.h"

#include <windows.h>

#include <cstring>

#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "codecs/bmp_clipboard_win.h"
#include "image/clipboard_dib.h"
#include "image/current_image_win.h"
#include "image/document_paths.h"
#include "image/document_win.h"
#include "image/image_buffer_win.h"
#include "view/file_list_window_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

// Hands a packed bitmap to the clipboard, which then owns the memory.
void PutOnClipboard(const ImageBuffer& image) {
  size_t bytes = PackedDibBytes(image);
  if (bytes == 0) return;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return;
  }
  PackDib(image, static_cast<uint8_t*>(target));
  GlobalUnlock(memory);
  if (!OpenClipboard(OwnerWindow())) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_DIB, memory)) GlobalFree(memory);
  CloseClipboard();
}

}  // namespace

void CopyImageToClipboard() { PutOnClipboard(App().current); }

void CopyViewToClipboard() {
  ApplicationState& app = App();
  const ViewGeometry& g = app.view_geometry;
  if (!app.current.pixels || g.destination_width <= 0 || g.destination_height <= 0) return;
  ImageBuffer shown{};
  ResetImageBuffer(&shown);
  if (AllocatePixels(&shown, g.destination_width, g.destination_height, 24) != Status::kOk) return;
  shown.header.x_pels_per_meter = app.current.header.x_pels_per_meter;
  shown.header.y_pels_per_meter = app.current.header.y_pels_per_meter;

  // Our own pixel block is the DIB section's memory in effect: draw into a
  // section, then copy its rows out.
  void* bits = nullptr;
  MemoryDcGuard dc(nullptr);
  UniqueGdiObject section(
      CreateDIBSection(dc.get(), AsBitmapInfo(shown), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section && bits) {
    {
      SelectionGuard selected(dc.get(), section.get());
      SetStretchBltMode(dc.get(), HALFTONE);
      SetBrushOrgEx(dc.get(), 0, 0, nullptr);
      int source_y = app.current.header.height - g.source_y - g.source_height;
      StretchDIBits(dc.get(), 0, 0, g.destination_width, g.destination_height, g.source_x,
                    source_y, g.source_width, g.source_height, app.current.pixels,
                    AsBitmapInfo(app.current), DIB_RGB_COLORS, SRCCOPY);
      GdiFlush();
    }
    std::memcpy(shown.pixels, bits, static_cast<size_t>(Stride(shown)) * g.destination_height);
    PutOnClipboard(shown);
  }
  ReleasePixels(&shown);
}

void PasteFromClipboard() {
  ApplicationState& app = App();
  if (!SettleUnsavedChanges()) return;
  ReleasePixels(&app.staging);
  for (RgbQuad& entry : app.staging.palette) entry = {};
  if (!ReadClipboardBitmap(OwnerWindow(), &app.staging)) return;
  ReplaceCurrentImage(&app.staging);
  ClearDocumentPath();
  app.document.source_kind = SourceKind::kFile;
  app.document.load = {};
  app.document.rotation_state = kRotationNone;
  app.file_list.Clear();
  RefreshFileListWindow();
  app.modified = false;
  ShowNewViewImage(false);
  RefreshTitle();
}
