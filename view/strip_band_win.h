// A band of the edit window's tool strip: a flat tool bar of image, text
// and drop-down buttons, added to the rebar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>

struct StripButton {
  int id;
  int image;   // the button image, I_IMAGENONE for none; a separator's width
  BYTE style;  // BTNS_SEP for a separator; BTNS_SHOWTEXT captions it with its command's text
};

// The strip's buttons are as tall as the interface font's text + 10 pixels,
// at least 22.
int StripButtonHeight();

// How wide a text is in the interface font.
int StripTextWidth(const std::wstring& text);

// The caption of a command's button: its menu text without the mnemonic.
std::wstring StripCaption(int id);

HWND CreateBandBar(HWND strip, int id, std::span<const StripButton> buttons);

// Adds the bar as the strip's last band; `new_row` starts a row with it.
void AddBand(HWND strip, HWND bar, int id, bool new_row);

// Gives the band of `bar` the size its buttons take now.
void FitBandToBar(HWND strip, HWND bar);
