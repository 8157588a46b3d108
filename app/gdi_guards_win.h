// Scoped device contexts and selections: whatever a drawing function
// selects or borrows is given back on every way out of it.
#pragma once

#include <windows.h>

#include "app/win_handles.h"

struct GdiObjectTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits>;

// Selects `object` into `dc` and puts the previous object back.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionGuard() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintGuard {
 public:
  explicit PaintGuard(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintGuard() { EndPaint(window_, &paint_); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_ = nullptr;
};

// A window's (or, for no window, the screen's) device context, released
// to the window it came from.
class WindowDcGuard {
 public:
  explicit WindowDcGuard(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDcGuard() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDcGuard(const WindowDcGuard&) = delete;
  WindowDcGuard& operator=(const WindowDcGuard&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with `dc`, deleted at the end.
class MemoryDcGuard {
 public:
  explicit MemoryDcGuard(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
  ~MemoryDcGuard() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDcGuard(const MemoryDcGuard&) = delete;
  MemoryDcGuard& operator=(const MemoryDcGuard&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};
