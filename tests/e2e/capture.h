// What the user sees of a window: its client area copied off the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct ClientPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
};

// Copies the client area from the window's device context, or off the
// screen where that context cannot be had.
bool CaptureClient(HWND window, ClientPixels* out);
