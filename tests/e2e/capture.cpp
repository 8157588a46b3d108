#include "tests/e2e/capture.h"

namespace {

// Copies `width` x `height` pixels at (x, y) of `source` into `out`.
bool CopyPixels(HDC source, int x, int y, ClientPixels* out) {
  HDC memory_dc = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), out->width, -out->height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory_dc, bitmap);
    ok = BitBlt(memory_dc, 0, 0, out->width, out->height, source, x, y, SRCCOPY) != 0;
    GdiFlush();
    if (ok) memcpy(out->pixels.data(), bits, out->pixels.size() * 4);
    SelectObject(memory_dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory_dc);
  return ok;
}

}  // namespace

bool CaptureClient(HWND window, ClientPixels* out) {
  RECT client;
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
  out->width = client.right;
  out->height = client.bottom;
  out->pixels.assign(size_t(out->width) * out->height, 0);

  HDC window_dc = GetDC(window);
  bool ok = window_dc && CopyPixels(window_dc, 0, 0, out);
  if (window_dc) ReleaseDC(window, window_dc);
  if (ok) return true;
  // Another process's child window with a device context of its own cannot
  // lend it; the screen shows the same pixels.
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  ok = screen && CopyPixels(screen, origin.x, origin.y, out);
  if (screen) ReleaseDC(nullptr, screen);
  return ok;
}
