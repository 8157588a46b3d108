#include "tests/e2e/capture.h"

bool CaptureClient(HWND window, ClientPixels* out) {
  RECT client;
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
  out->width = client.right;
  out->height = client.bottom;
  out->pixels.assign(size_t(out->width) * out->height, 0);

  HDC window_dc = GetDC(window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), out->width, -out->height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory_dc, bitmap);
    ok = BitBlt(memory_dc, 0, 0, out->width, out->height, window_dc, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    if (ok) memcpy(out->pixels.data(), bits, out->pixels.size() * 4);
    SelectObject(memory_dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory_dc);
  ReleaseDC(window, window_dc);
  return ok;
}
