#include "view/view_window.h"

#include "image/image_buffer.h"

namespace {

constexpr DWORD kStyleWithTitle = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                                  WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_ACCEPTFILES;

RECT WorkAreaUnderPointer() {
  POINT pointer = {};
  GetCursorPos(&pointer);
  MONITORINFO info = {sizeof(info)};
  HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

void PaintEmptyCanvas(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EndPaint(window, &ps);
}

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area; erasing would flicker
    case WM_PAINT:
      PaintEmptyCanvas(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool RegisterViewWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = ViewWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kViewWindowClass;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateViewWindow(HINSTANCE instance) {
  RECT work = WorkAreaUnderPointer();
  RECT frame = {0, 0, kEmptyCanvasWidth, kEmptyCanvasHeight};
  AdjustWindowRectEx(&frame, kStyleWithTitle, FALSE, kExStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int left = work.left + (work.right - work.left - width) / 2;
  int top = work.top + (work.bottom - work.top - height) / 2;
  return CreateWindowExW(kExStyle, kViewWindowClass, L"Ovira", kStyleWithTitle, left, top,
                         width, height, nullptr, nullptr, instance, nullptr);
}
