#include "view/view_dc_win.h"

namespace {

constexpr COLORREF kXorPenColour = RGB(0x80, 0x80, 0x80);
constexpr int kStockBrushes[] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH};

int ClampBackground(int background) {
  return background < 0 || background > 4 ? 2 : background;
}

}  // namespace

void PrepareViewDc(HDC dc, int stretch_setting, int background, HFONT font) {
  SetViewStretchMode(dc, false, stretch_setting);
  SetROP2(dc, R2_XORPEN);
  SelectObject(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, kXorPenColour);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, BackgroundTextColour(background));
}

void SetViewStretchMode(HDC dc, bool at_natural_size, int stretch_setting) {
  if (at_natural_size || stretch_setting == kStretchColorOnColor) {
    SetStretchBltMode(dc, COLORONCOLOR);
    return;
  }
  SetStretchBltMode(dc, HALFTONE);
  // HALFTONE needs the brush origin reset after the mode is set.
  SetBrushOrgEx(dc, 0, 0, nullptr);
}

void SetPanningStretchMode(HDC dc) { SetStretchBltMode(dc, COLORONCOLOR); }

HBRUSH BackgroundBrush(int background) {
  return static_cast<HBRUSH>(GetStockObject(kStockBrushes[ClampBackground(background)]));
}

COLORREF BackgroundTextColour(int background) {
  return ClampBackground(background) > 1 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}
